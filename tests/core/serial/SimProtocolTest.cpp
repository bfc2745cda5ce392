// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/SimProtocol.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

SimJobStore smallStore()
{
    SimJobStore store;
    store.job(1).name = QStringLiteral("ROAD1");
    store.job(1).coordinates = {"*first", "*second"};
    store.job(1).observations = {"*obs"};
    store.job(17).name = QStringLiteral("LAST");
    return store;
}

} // namespace

TEST(SimProtocol, directoryIsPagedWithQuestionMarksAndEndsWithSub)
{
    SimProtocol sim(smallStore());
    EXPECT_EQ(sim.answer("JOB/CONF/LIST"), QByteArray("ROAD1,GSI16,2,1"));
    EXPECT_EQ(sim.answer("?"), QByteArray(",GSI16,0,0")) << "an unnamed job starts with a comma";
    for (int job = 3; job <= 16; ++job)
        sim.answer("?");
    EXPECT_EQ(sim.answer("?"), QByteArray("LAST,GSI16,0,0"));
    EXPECT_EQ(sim.answer("?"), QByteArray("\x1a"));
    EXPECT_EQ(sim.answer("?"), QByteArray("\x1a"));
}

TEST(SimProtocol, coordinateAndObservationRequestsServeTheJobLines)
{
    SimProtocol sim(smallStore());
    EXPECT_EQ(sim.answer("FORM/SET/0"), QByteArray("OK"));
    EXPECT_EQ(sim.answer("JOB/RCV/COORDS/1"), QByteArray("OK"));
    EXPECT_EQ(sim.answer("?"), QByteArray("*first"));
    EXPECT_EQ(sim.answer("?"), QByteArray("*second"));
    EXPECT_EQ(sim.answer("?"), QByteArray("\x1a"));
    EXPECT_EQ(sim.answer("JOB/RCV/OBSERV/1"), QByteArray("OK"));
    EXPECT_EQ(sim.answer("?"), QByteArray("*obs"));
    EXPECT_EQ(sim.answer("?"), QByteArray("\x1a"));
    EXPECT_EQ(sim.answer("JOB/RCV/COORDS/18"), QByteArray("@E127"));
}

TEST(SimProtocol, uploadNameAndEraseChangeTheStore)
{
    SimProtocol sim(smallStore());
    EXPECT_EQ(sim.answer("JOB/SET/NEW/12"), QByteArray("OK"));
    EXPECT_EQ(sim.answer("FORM/SET/0"), QByteArray("OK"));
    EXPECT_EQ(sim.answer("JOB/SND/COORD/12"), QByteArray("OK"));
    const QByteArray line16 = "*110001+" + QByteArray(89, '0');
    const QByteArray line8 = "110001+" + QByteArray(57, '0');
    EXPECT_EQ(sim.answer(line16), QByteArray("OK"));
    EXPECT_EQ(sim.answer(line8), QByteArray("OK"));
    EXPECT_EQ(sim.answer("\x1a"), QByteArray("OK"));
    EXPECT_EQ(sim.store().job(12).coordinates, (QList<QByteArray>{line16, line8}));
    EXPECT_EQ(sim.directoryLine(12), QByteArray("NEW,GSI16,2,0"));

    // After the SUB, "?" is a command again, not a data line.
    EXPECT_EQ(sim.answer("JOB/CONF/LIST"), QByteArray("ROAD1,GSI16,2,1"));
    EXPECT_EQ(sim.answer("JOB/ERASE/COORDS/1"), QByteArray("OK"));
    EXPECT_EQ(sim.directoryLine(1), QByteArray("ROAD1,GSI16,0,1"));
    EXPECT_EQ(sim.answer("JOB/SET//3"), QByteArray("OK"));
    EXPECT_EQ(sim.answer("JOB/SET/3"), QByteArray("@E127"));
}

TEST(SimProtocol, openingQueriesAllGetAnAnswer)
{
    SimProtocol sim;
    for (const char *command :
         {"a", "c", "CONF/182", "CONF/136", "CONF/137", "GET//WI13", "CODE/CONF/LIST",
          "FORM/CONF/LIST", "HAL/CONF/LIST", "VAL/CONF/LIST"}) {
        const QByteArray reply = sim.answer(command);
        EXPECT_FALSE(reply.isEmpty()) << command;
        EXPECT_FALSE(reply.contains('\r') || reply.contains('\n')) << command;
    }
}

TEST(SimJobStore, demoHoldsSeventeenJobsWithWellFormedLines)
{
    const SimJobStore store = SimJobStore::demo();
    int named = 0;
    int unnamed = 0;
    for (int number = 1; number <= SimJobStore::kJobCount; ++number) {
        const SimJob &job = store.job(number);
        (job.name.isEmpty() ? unnamed : named)++;
        EXPECT_LE(job.coordinates.size(), 400);
        for (const QByteArray &line : job.coordinates) {
            ASSERT_EQ(line.size(), 97) << number;
            EXPECT_EQ(line.left(3), "*11");
            EXPECT_EQ(line.mid(24, 8), " 81..10+");
            EXPECT_EQ(line.mid(48, 8), " 82..10+");
            EXPECT_EQ(line.mid(72, 8), " 83..10+");
            EXPECT_TRUE(line.endsWith(' '));
        }
    }
    EXPECT_GT(named, 5);
    EXPECT_GT(unnamed, 2);
    EXPECT_TRUE(store.job(3).name.contains(QChar(0x63A7))) << "some names are Chinese";
}

TEST(SimJobStore, loadsAFolderWithAnIndexFile)
{
    const QString dir = QDir::tempPath() + QStringLiteral("/rqt-store-") +
                        QString::number(QCoreApplication::applicationPid());
    QDir().mkpath(dir);
    auto write = [&](const char *name, const QByteArray &bytes) {
        QFile f(dir + QLatin1Char('/') + QLatin1String(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    };
    write("index.txt", "ROAD1\tr.gsi\tro.gsi\r\n\n\xe9\x9a\xa7\xe9\x81\x93\tt.gsi\n");
    write("r.gsi", "*a\r\n*b\r\n\r\n");
    write("ro.gsi", "*o\n");
    write("t.gsi", "*t");
    SimJobStore store;
    QString error;
    ASSERT_TRUE(SimJobStore::loadFromFolder(dir, &store, &error)) << qPrintable(error);
    EXPECT_EQ(store.job(1).name, QStringLiteral("ROAD1"));
    EXPECT_EQ(store.job(1).coordinates, (QList<QByteArray>{"*a", "*b"}));
    EXPECT_EQ(store.job(1).observations, QList<QByteArray>{"*o"});
    EXPECT_TRUE(store.job(2).name.isEmpty());
    EXPECT_EQ(store.job(3).name, QString::fromUtf8("隧道"));
    EXPECT_EQ(store.job(3).coordinates, QList<QByteArray>{"*t"});

    write("index.txt", "X\tmissing.gsi\n");
    EXPECT_FALSE(SimJobStore::loadFromFolder(dir, &store, &error));
    EXPECT_TRUE(error.contains(QLatin1String("missing.gsi")));
    QDir(dir).removeRecursively();
}
