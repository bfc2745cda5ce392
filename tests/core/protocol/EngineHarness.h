// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/protocol/ConversationEngine.h"
#include "core/serial/SerialLink.h"
#include "core/state/AppState.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

// A SerialLink that records what is sent; replies are fed to the engine directly.
class RecordingLink : public SerialLink
{
public:
    bool open(const CommSettings &) override
    {
        ++opens;
        m_open = openSucceeds;
        return openSucceeds;
    }
    bool isOpen() const override { return m_open; }
    void send(const QByteArray &bytes) override
    {
        sent.append(bytes);
        // A write error is reported while the write is still in progress.
        if (!loseOnSend.isEmpty() && bytes.startsWith(loseOnSend)) {
            loseOnSend.clear();
            lose(QStringLiteral("write failed"));
        }
    }
    QByteArray readAll() override { return {}; }
    void close() override
    {
        m_open = false;
        ++closes;
    }
    QString errorString() const override { return QStringLiteral("no such port"); }
    void lose(const QString &reason)
    {
        m_open = false;
        Q_EMIT linkLost(reason);
    }

    QList<QByteArray> sent;
    bool openSucceeds = true;
    QByteArray loseOnSend; // the command whose write fails and loses the link
    int opens = 0;
    int closes = 0;

private:
    bool m_open = false;
};

// The two things every engine test varies: the end mark, and whether replies
// arrive in one receive event or one byte per event.
struct WireParams
{
    EndMark endMark;
    bool byteByByte;
};

inline std::string wireName(const testing::TestParamInfo<WireParams> &info)
{
    return std::string(info.param.endMark == EndMark::CrLf ? "CrLf" : "Cr") +
           (info.param.byteByByte ? "ByteByByte" : "InOnePiece");
}

// A small stand-in for the instrument: pages through its directory, a job's
// coordinates and observations, and answers "OK" to everything else.
struct TestInstrument
{
    QList<QByteArray> directory;               // 17 job lines
    QMap<int, QList<QByteArray>> coordinates;  // by job number
    QMap<int, QList<QByteArray>> observations; // by job number; SUB line follows
    QList<QByteArray> received;                // every data line and SUB uploaded
    QList<QByteArray> paging;
    int next = 0;

    TestInstrument()
    {
        for (int i = 1; i <= 17; ++i)
            directory.append(i == 4
                                 ? QByteArray(",x,0,0")
                                 : "JOB" + QByteArray::number(i) + ",x," +
                                       QByteArray::number(i * 2) + "," + QByteArray::number(i * 3));
    }

    QByteArray answer(const QByteArray &command)
    {
        auto startPaging = [&](const QList<QByteArray> &lines) {
            paging = lines;
            next = 0;
        };
        if (command == "JOB/CONF/LIST") {
            startPaging(directory);
            return paging.value(next++);
        }
        if (command == "?")
            return next < paging.size() ? paging.at(next++) : QByteArray("END");
        if (command.startsWith("JOB/RCV/COORDS/")) {
            startPaging(coordinates.value(command.mid(15).toInt()));
            return "OK";
        }
        if (command.startsWith("JOB/RCV/OBSERV/")) {
            QList<QByteArray> lines = observations.value(command.mid(15).toInt());
            lines.append(QByteArray("\x1a"));
            startPaging(lines);
            return "OK";
        }
        if (command.startsWith('*') || command.startsWith('1') || command == "\x1a")
            received.append(command);
        startPaging({});
        return "OK";
    }
};

class EngineHarness
{
public:
    explicit EngineHarness(WireParams params) : m_params(params)
    {
        settings.CommandEnd = params.endMark;
        QObject::connect(&engine, &ConversationEngine::progress,
                         [this](int done, int) { lastProgress = done; });
        QObject::connect(&engine, &ConversationEngine::pauseRequested, [this](int ms) {
            pauses.append(ms);
            m_pauseAsked = true;
        });
    }

    QByteArray lineEnd() const { return m_params.endMark == EndMark::CrLf ? "\r\n" : "\r"; }

    // One reply of the instrument, with its line end.
    void reply(const QByteArray &text)
    {
        const QByteArray bytes = text + lineEnd();
        if (m_params.byteByByte) {
            for (char c : bytes)
                engine.feed(QByteArray(1, c));
        } else {
            engine.feed(bytes);
        }
    }

    // The commands sent from index `from` on, without their end mark; a command
    // that does not end in the configured end mark fails the test.
    QList<QByteArray> commands(int from = 0) const
    {
        QList<QByteArray> result;
        for (int i = from; i < link.sent.size(); ++i) {
            QByteArray c = link.sent.at(i);
            EXPECT_TRUE(c.endsWith(lineEnd())) << "command without end mark: " << c.toStdString();
            if (m_params.endMark == EndMark::Cr) {
                EXPECT_FALSE(c.endsWith("\r\n")) << c.toStdString();
            }
            c.chop(lineEnd().size());
            result.append(c);
        }
        return result;
    }

    // Lets the instrument answer every command not yet answered, until the
    // engine has nothing more to say; every pause the engine asks for is over at once.
    void converse()
    {
        while (m_answered < link.sent.size() || m_pauseAsked) {
            if (m_pauseAsked) {
                m_pauseAsked = false;
                engine.resume();
                continue;
            }
            QByteArray command = link.sent.at(m_answered++);
            command.chop(lineEnd().size());
            reply(instrument.answer(command));
        }
    }

    // The full opening conversation, answered by the instrument.
    void connect()
    {
        engine.connectToInstrument();
        converse();
    }

    // The engine ended its pause (the session's timer would).
    void endPause()
    {
        m_pauseAsked = false;
        engine.resume();
    }
    bool pauseAsked() const { return m_pauseAsked; }

    int sentCount() const { return int(link.sent.size()); }
    void skipAnswered() { m_answered = int(link.sent.size()); }

    CommSettings settings;
    RecordingLink link;
    ConversationEngine engine{settings, link};
    TestInstrument instrument;
    QList<int> pauses;
    int lastProgress = 0; // lines stored or sent by the last transfer, as progress() told

private:
    WireParams m_params;
    int m_answered = 0;
    bool m_pauseAsked = false;
};

// Coordinate line n of a test job: GSI-16, name n, the same E, N and H.
inline QByteArray gsi16Line(int n)
{
    return "*11" + QByteArray::number(1000 + n) + "+" +
           QByteArray::number(n).rightJustified(16, '0') +
           " 81..00+0000000000123456 82..00+0000000000654321 83..00+0000000000001234 ";
}

inline const auto kAllWires =
    testing::Values(WireParams{EndMark::CrLf, false}, WireParams{EndMark::CrLf, true},
                    WireParams{EndMark::Cr, false}, WireParams{EndMark::Cr, true});
