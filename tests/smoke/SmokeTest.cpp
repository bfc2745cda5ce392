// SPDX-License-Identifier: GPL-3.0-or-later
#include "state/AppState.h"

#include <gtest/gtest.h>

TEST(AppState, everyProcessWideValueStartsAtZero)
{
    const AppState state;
    EXPECT_EQ(state.UiLanguage, 0);
    EXPECT_EQ(state.commSettings.PortNumber, 0);
    EXPECT_EQ(state.commSettings.BaudIndex, 0);
    EXPECT_EQ(state.commSettings.EndMarkIndex, 0);
    EXPECT_EQ(state.commSettings.ReplyTerminator, 0);
    EXPECT_EQ(state.selection.jobNumber, 0);
    EXPECT_TRUE(state.selection.pcPath.isEmpty());
}
