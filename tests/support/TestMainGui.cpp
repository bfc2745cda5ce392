#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    // QSettings needs an organisation on Windows, where it writes the registry
    // (test mode redirects only the files Linux uses).
    QApplication::setOrganizationName(QStringLiteral("rqtcom-tests"));
    return RUN_ALL_TESTS();
}
