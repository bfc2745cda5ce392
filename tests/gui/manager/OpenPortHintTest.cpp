// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/state/AppState.h"
#include "gui/common/Messages.h"
#include "gui/manager/ManagerWindow.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#ifdef Q_OS_LINUX
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

namespace {

#ifdef Q_OS_LINUX
// Root opens any file whatever its mode; for the life of this object the
// calling thread loses that override, so a device it may not use is refused
// as it would be for an ordinary user.
class WithoutPermissionOverride
{
public:
    WithoutPermissionOverride()
    {
        if (syscall(SYS_capget, &m_header, m_saved) != 0)
            return;
        __user_cap_data_struct reduced[2] = {m_saved[0], m_saved[1]};
        reduced[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        m_active = syscall(SYS_capset, &m_header, reduced) == 0;
    }
    ~WithoutPermissionOverride()
    {
        if (m_active)
            syscall(SYS_capset, &m_header, m_saved);
    }
    bool active() const { return m_active; }

private:
    __user_cap_header_struct m_header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct m_saved[2] = {};
    bool m_active = false;
};
#endif

class OpenPortHint : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Messages::setHandler({[this](const QString &t, Messages::Kind) { shown << t; },
                              [](const QString &) {
                                  return true;
                              }});
        options.drives = {folder.path()};
    }
    void TearDown() override { Messages::setHandler({}); }

    QTemporaryDir folder;
    AppState state;
    ManagerWindow::Options options;
    QStringList shown;
};

#ifdef Q_OS_LINUX
TEST_F(OpenPortHint, aDeviceTheUserMayNotUseNamesTheDialoutGroup)
{
    // A file nobody may read or write stands for /dev/ttyUSB0 of another group.
    const QString device = folder.filePath(QStringLiteral("ttyUSB0"));
    QFile file(device);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    ASSERT_TRUE(file.setPermissions({}));
    options.devicePath = device;
    ManagerWindow w(state, options);

    WithoutPermissionOverride ordinaryUser;
    if (geteuid() == 0 && !ordinaryUser.active())
        GTEST_SKIP() << "running as root without the right to drop its file override";
    w.controller().connectInstrument();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown.first().startsWith("Open Port Fail!\n")) << shown.first().toStdString();
    EXPECT_TRUE(shown.first().contains("dialout")) << shown.first().toStdString();
    EXPECT_TRUE(shown.first().contains("usermod -aG dialout")) << shown.first().toStdString();
}
#endif

TEST_F(OpenPortHint, aMissingDeviceGetsNoGroupHint)
{
    options.devicePath = folder.filePath(QStringLiteral("no-such-tty"));
    ManagerWindow w(state, options);
    w.controller().connectInstrument();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown.first().startsWith("Open Port Fail!"));
    EXPECT_FALSE(shown.first().contains("dialout")) << shown.first().toStdString();
}

} // namespace
