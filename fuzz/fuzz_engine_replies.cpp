// SPDX-License-Identifier: GPL-3.0-or-later
// The conversation engine fed random replies, ticks and user actions. Checked:
// a command never goes out while the reply to the previous one is awaited
// (except the opening call a new conversation sends once two ticks have shown
// the old reply lost), and a download reported complete holds every line the
// instrument sent, in order.
#include "core/protocol/ConversationEngine.h"
#include "core/protocol/DownloadWriter.h"
#include "core/serial/SerialLink.h"
#include "core/state/AppState.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace {

class FuzzLink : public SerialLink
{
public:
    bool open(const CommSettings &) override { return m_open = true; }
    bool isOpen() const override { return m_open; }
    void send(const QByteArray &) override {}
    QByteArray readAll() override { return {}; }
    void close() override { m_open = false; }
    QString errorString() const override { return QStringLiteral("closed"); }
    void lose()
    {
        m_open = false;
        Q_EMIT linkLost(QStringLiteral("lost"));
    }

private:
    bool m_open = false;
};

class Input
{
public:
    Input(const uint8_t *data, size_t size) : m_data(data), m_size(size) {}
    bool atEnd() const { return m_pos >= m_size; }
    uint8_t byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }
    QByteArray bytes(size_t n)
    {
        n = std::min(n, m_size - m_pos);
        QByteArray b(reinterpret_cast<const char *>(m_data + m_pos), qsizetype(n));
        m_pos += n;
        return b;
    }

private:
    const uint8_t *m_data;
    size_t m_size;
    size_t m_pos = 0;
};

QByteArray gsiLine(int n)
{
    return "*11" + QByteArray::number(1000 + n) + "+" +
           QByteArray::number(n).rightJustified(16, '0') +
           " 81..00+0000000000123456 82..00+0000000000654321 83..00+0000000000001234 ";
}

QByteArray lines(const QList<QByteArray> &replies, qsizetype count)
{
    QByteArray out;
    for (qsizetype i = 0; i < count; ++i)
        out += DownloadWriter::withoutLineEnd(replies.at(i)).toByteArray() + "\r\n";
    return out;
}

struct Run
{
    CommSettings settings;
    FuzzLink link;
    ConversationEngine engine{settings, link};
    QString folder;

    bool awaiting = false;
    bool inTick = false;
    bool pauseWanted = false;
    bool recording = false;
    bool skipFirst = false;
    bool observations = false;
    int type = 0;
    QList<QByteArray> data;

    explicit Run(const QString &dir) : folder(dir)
    {
        QObject::connect(&engine, &ConversationEngine::pauseRequested,
                         [this](int) { pauseWanted = true; });
        QObject::connect(&engine, &ConversationEngine::commandSent, [this](const QByteArray &c) {
            const bool lateOpeningCall = inTick && (c == "a\r\n" || c == "a\r");
            if (awaiting && !lateOpeningCall)
                std::abort();
            awaiting = true;
            if (c.startsWith("JOB/RCV/COORDS/") || c.startsWith("JOB/RCV/OBSERV/")) {
                recording = true;
                skipFirst = true;
                observations = c.startsWith("JOB/RCV/OBSERV/");
                data.clear();
            }
        });
        QObject::connect(&engine, &ConversationEngine::replyReceived, [this](const QByteArray &r) {
            awaiting = false;
            if (!recording)
                return;
            if (skipFirst)
                skipFirst = false;
            else
                data.append(r);
        });
        QObject::connect(&engine, &ConversationEngine::connectionClosed,
                         [this] { awaiting = false; });
        QObject::connect(&engine, &ConversationEngine::finished,
                         [this](const TransferResult &r) { finished(r); });
    }

    void finished(const TransferResult &s)
    {
        if (s.kind != TransferResult::Kind::Download)
            return;
        recording = false;
        const bool present = QFileInfo::exists(s.path);
        const QByteArray file = [&] {
            QFile f(s.path);
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
        }();
        QFile::remove(s.path);
        if (!s.complete()) {
            // Nothing under the final name: every earlier file was removed, so
            // only a file the engine kept or wrote can be there.
            if (present || s.fileKept)
                std::abort();
            return;
        }
        if (!s.fileKept || !present)
            std::abort();
        if (observations) {
            // Everything before the SUB line, which ended the download.
            if (data.isEmpty() || data.last().at(0) != '\x1a')
                std::abort();
            if (file != lines(data, data.size() - 1))
                std::abort();
            return;
        }
        if (s.expectedLines < 0 || data.size() < s.expectedLines ||
            s.linesTransferred != s.expectedLines)
            std::abort();
        if (type == 2) {
            if (file.count('\n') + s.skippedLines != s.expectedLines)
                std::abort();
        } else if (file != lines(data, s.expectedLines)) {
            std::abort();
        }
    }

    void reply(const QByteArray &text, uint8_t split)
    {
        const char terminator = settings.replyTerminator();
        const QByteArray bytes = text + (terminator == '\n' ? "\r\n" : "\r");
        if (split == 0) {
            engine.feed(bytes);
            return;
        }
        for (qsizetype i = 0; i < bytes.size(); i += split)
            engine.feed(bytes.mid(i, split));
    }
};

QTemporaryDir &folder()
{
    static QTemporaryDir dir;
    return dir;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Input in(data, size);
    Run run(folder().path());
    const bool crOnly = in.byte() & 1;
    run.settings.CommandEnd = crOnly ? EndMark::Cr : EndMark::CrLf;
    const QString upload = QDir(run.folder).filePath(QStringLiteral("up.gsi"));
    if (!QFile::exists(upload)) {
        QFile f(upload);
        if (f.open(QIODevice::WriteOnly))
            f.write(gsiLine(1) + "\r\n" + gsiLine(2) + "\r\n");
    }
    run.engine.connectToInstrument();
    int steps = 0;
    while (!in.atEnd() && ++steps < 400) {
        if (run.pauseWanted) {
            run.pauseWanted = false;
            run.engine.resume();
        }
        const uint8_t op = in.byte();
        const uint8_t arg = in.byte();
        switch (op % 12) {
        case 0:
        case 1:
            run.reply(in.bytes(arg % 40), in.byte() % 4);
            break;
        case 2:
        case 3:
            run.reply(gsiLine(arg), 0);
            break;
        case 4: {
            // A directory line whose counts may be anything.
            const QByteArray count = (arg & 1) ? QByteArray::number(arg % 7) : in.bytes(arg % 5);
            run.reply("JOB,x," + count + "," + QByteArray::number(arg % 5), 0);
            break;
        }
        case 5:
            run.reply("\x1a", 0);
            break;
        case 6:
        case 7:
            run.inTick = true;
            run.engine.tick();
            run.inTick = false;
            break;
        case 8:
            if (run.engine.prepareDownload()) {
                DownloadRequest r;
                r.jobNumber = 1 + arg % 17;
                r.dataKind = ((arg >> 5) & 1) ? DataKind::Observations : DataKind::FixPoints;
                r.format = r.dataKind == DataKind::Observations ? DownloadFormat::Gsi
                                                                : DownloadFormat((arg >> 6) % 3);
                r.folder = run.folder;
                r.fileName = QStringLiteral("D%1").arg(arg % 3);
                r.overwrite = true;
                run.type = int(r.format);
                run.engine.startDownload(r);
            }
            break;
        case 9:
            if (run.engine.prepareUpload()) {
                UploadRequest r;
                r.jobNumber = 1 + arg % 17;
                r.filePath = upload;
                r.newJobName = QStringLiteral("NEW");
                run.engine.startUpload(r);
            }
            break;
        case 10:
            if (arg & 1) {
                run.engine.erase(1 + arg % 17);
            } else {
                run.engine.cancel();
            }
            break;
        case 11:
            if (arg & 1) {
                run.link.lose();
            } else if (run.engine.linkMode() == LinkMode::Directory) {
                run.awaiting = false;
                run.engine.connectToInstrument();
            }
            break;
        }
    }
    return 0;
}
