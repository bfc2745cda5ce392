// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/state/AppState.h"

#include <gtest/gtest.h>

TEST(AppState, everyProcessWideValueStartsAtZero)
{
    const AppState state;
    EXPECT_EQ(state.UiLanguage, 0);
    EXPECT_EQ(state.commSettings.PortNumber, 0);
    EXPECT_EQ(state.commSettings.BaudRate, 19200);
    EXPECT_EQ(state.commSettings.CommandEnd, EndMark::CrLf);
    // The terminator follows the end mark; it is never stored apart from it.
    EXPECT_EQ(state.commSettings.replyTerminator(), '\n');
    EXPECT_EQ(state.selection.jobNumber, 0);
    EXPECT_TRUE(state.selection.pcPath.isEmpty());
}
