// SPDX-License-Identifier: GPL-3.0-or-later
// The engine speaks with the settings of the moment a connection starts: a
// change in the dialog during a connection waits for the next one.
#include "tests/core/protocol/EngineHarness.h"

#include <QSignalSpy>

namespace {

class RecordingSettingsLink : public RecordingLink
{
public:
    bool open(const CommSettings &settings) override
    {
        opened.append(settings.BaudRate);
        return RecordingLink::open(settings);
    }
    QList<int> opened;
};

} // namespace

TEST(ConnectionSettings, aChangeDuringAConnectionTakesEffectAtTheNextOne)
{
    EngineHarness h(WireParams{EndMark::CrLf, false});
    h.settings.BaudRate = 9600;
    h.instrument.directory[2] = "ROAD3,x,2,0";
    h.connect();
    ASSERT_TRUE(h.engine.hasDirectory());

    // The dialog changes everything while the connection is open.
    h.settings.CommandEnd = EndMark::Cr;
    h.settings.BaudRate = 1200;
    h.settings.JobNameEncoding = NameEncoding::Utf8;
    const int before = h.sentCount();
    ASSERT_TRUE(h.engine.prepareDownload());
    h.converse(); // replies still end in CR LF and complete
    EXPECT_EQ(h.commands(before), (QList<QByteArray>{"a", "c"}));
    EXPECT_TRUE(h.engine.isIdle());

    h.engine.cancel();
    ASSERT_EQ(h.engine.connectToInstrument(), ConversationEngine::ConnectResult::Started);
    EXPECT_EQ(h.link.sent.last(), QByteArray("a\r"));
    // A reply in CR LF ends at its CR now; the LF is the next reply's first byte.
    h.engine.feed("OK\r");
    EXPECT_EQ(h.link.sent.last(), QByteArray("c\r"));
}

TEST(ConnectionSettings, thePortOpensWithTheCopy)
{
    CommSettings settings;
    RecordingSettingsLink link;
    ConversationEngine engine(settings, link);
    settings.BaudRate = 4800;
    engine.connectToInstrument();
    settings.BaudRate = 1200; // too late for this connection
    engine.cancel();
    engine.connectToInstrument();
    EXPECT_EQ(link.opened, (QList<int>{4800, 1200}));
}
