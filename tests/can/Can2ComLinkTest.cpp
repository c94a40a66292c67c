#include "CanLinkFixture.h"

#include "can/CanLine.h"

// Lines of the adapter through the link's data notification, as the CAN port delivers
// them, each chunk with its terminating zero byte.

TEST_F(CanLinkTest, ReadOutsStartWithTheirCaptions)
{
    EXPECT_EQ(page.keypos->text(), "UNKNOWN KEY POSITION");
    EXPECT_EQ(page.gear->text(), "D");
    EXPECT_EQ(page.light->text(), "LIGHTS OFF");
    EXPECT_EQ(page.id->text(), "AAAAAAAAAAAAAAAAA");
    EXPECT_EQ(page.rpm->text(), "9999");
    EXPECT_EQ(page.speed->text(), "390");
    for (WheelGlyph *g : {page.leftwalve, page.rightwalve, page.mode, page.audio})
        EXPECT_EQ(g->text(), "");
    EXPECT_TRUE(traceLines().isEmpty());
}

TEST_F(CanLinkTest, KeyPositionLines)
{
    receive("1003\r");
    EXPECT_EQ(page.keypos->text(), "Ignition Key 2");
    EXPECT_EQ(traceLines(), QStringList{at("Ignition Key 2")});
    receive("10FF\r");
    EXPECT_EQ(page.keypos->text(), "Ignition Engine starting");
    receive("1004\r");
    EXPECT_EQ(page.keypos->text(), "Ignition invalid ");
    receive("1000\r1001\r1002\r");
    EXPECT_EQ(traceLines().mid(3),
              (QStringList{at("Ignition off"), at("Ignition Key 0"), at("Ignition Key 1")}));
    receive("10\r");
    EXPECT_EQ(page.keypos->text(), "Ignition invalid ");
}

TEST_F(CanLinkTest, GearDSendsTOnEveryLineThatReportsIt)
{
    receive("1105\r");
    EXPECT_EQ(page.gear->text(), "D");
    EXPECT_EQ(traceLines(), QStringList{at("D")});
    EXPECT_EQ(keys(), "T");
    receive("1105\r");
    EXPECT_EQ(keys(), "TT");
    receive("1106\r");
    EXPECT_EQ(page.gear->text(), "N");
    EXPECT_EQ(keys(), "TT");
}

TEST_F(CanLinkTest, GearCaptionsAndInvalidGears)
{
    const std::pair<const char *, const char *> gears[] = {{"1106", "N"},
                                                           {"1107", "R"},
                                                           {"1108", "P"},
                                                           {"110C", "S"},
                                                           {"110E", "M"},
                                                           {"110c", "S"},
                                                           {"1109", "Gear Status 9 is invalid "},
                                                           {"11", "Gear Status -1 is invalid "},
                                                           {"11x5", "Gear Status -1 is invalid "},
                                                           {"11FF", "Gear Status 255 is invalid "}};
    for (const auto &[line, caption] : gears) {
        receive(QByteArray(line) + '\r');
        EXPECT_EQ(page.gear->text(), caption) << line;
        EXPECT_EQ(traceLines().last(), at(QString::fromLatin1(caption))) << line;
    }
    EXPECT_EQ(keys(), "");
}

TEST_F(CanLinkTest, LightLines)
{
    const std::pair<const char *, const char *> lights[] = {{"1200", "Light Off "},
                                                            {"1201", "Light Park "},
                                                            {"1202", "Light Lower "},
                                                            {"1203", "Light Upper "},
                                                            {"12x1", "Light Status invalid "},
                                                            {"1204", "Light Status invalid "}};
    for (const auto &[line, caption] : lights) {
        receive(QByteArray(line) + '\r');
        EXPECT_EQ(page.light->text(), caption) << line;
        EXPECT_EQ(traceLines().last(), at(QString::fromLatin1(caption)));
    }
}

TEST_F(CanLinkTest, TheIdentityIsTracedEveryTimeAndShownWhenItChanges)
{
    receive("13WAUZZZ4E56N012345\r");
    EXPECT_EQ(page.id->text(), "WAUZZZ4E56N012345");
    EXPECT_EQ(traceLines(), QStringList{at("Car ID is WAUZZZ4E56N012345")});
    // The same identity again: the trace line again, the label left as it is.
    receive("13WAUZZZ4E56N012345\r");
    EXPECT_EQ(traceLines().size(), 2);
    EXPECT_EQ(traceLines().last(), at("Car ID is WAUZZZ4E56N012345"));
    EXPECT_EQ(page.id->text(), "WAUZZZ4E56N012345");
    // Longer lines give seventeen characters, shorter lines what they have.
    receive("13WAUZZZ4E56N012345EXTRA\r");
    EXPECT_EQ(page.id->text(), "WAUZZZ4E56N012345");
    receive("13ABC\r");
    EXPECT_EQ(page.id->text(), "ABC");
    EXPECT_EQ(traceLines().last(), at("Car ID is ABC"));
}

TEST_F(CanLinkTest, OtherTypesAndUnreadableTypesLeaveNoTrace)
{
    receive("1401\r1F03\rxx03\r\r1\r0D\rComm Event: Framing error\r");
    EXPECT_TRUE(traceLines().isEmpty());
    EXPECT_EQ(page.keypos->text(), "UNKNOWN KEY POSITION");
    EXPECT_EQ(keys(), "");
}

TEST_F(CanLinkTest, ALineWithoutItsCarriageReturnAtTheEndOfAChunkIsStillDecoded)
{
    receive("1203\r1003");
    EXPECT_EQ(page.light->text(), "Light Upper ");
    // It may be cut: it waits a moment for its rest, then stands as it is.
    EXPECT_EQ(page.keypos->text(), "UNKNOWN KEY POSITION");
    clock.advance(Can2ComLink::WaitForRestMs - 1);
    EXPECT_EQ(page.keypos->text(), "UNKNOWN KEY POSITION");
    clock.advance(1);
    EXPECT_EQ(page.keypos->text(), "Ignition Key 2");
    clock.advance(10 * Can2ComLink::WaitForRestMs);
    EXPECT_EQ(traceLines(), (QStringList{at("Light Upper "), at("Ignition Key 2")}));
}

// At a steady line rate the reader hands over full buffers that cut lines anywhere:
// every line is decoded once, whole, and in order, wherever the cut falls.
TEST_F(CanLinkTest, ALineCutByAChunkBoundaryIsJoinedWithItsRest)
{
    const QByteArray lines = "1203\r1105\r13WAUZZZ4E56N012345\r1003\r";
    const QStringList expected{at("Light Upper "), at("D"), at("Car ID is WAUZZZ4E56N012345"),
                               at("Ignition Key 2")};
    for (qsizetype cut = 0; cut <= lines.size(); ++cut) {
        trace.clear();
        mainMenu.keys.clear();
        receive(lines.first(cut));
        receive(lines.sliced(cut));
        clock.advance(Can2ComLink::WaitForRestMs);
        EXPECT_EQ(traceLines(), expected) << cut;
        EXPECT_EQ(keys().count('T'), 1) << cut;
    }
}

TEST_F(CanLinkTest, WithCarriageReturnAndLineFeedOnlyTheFirstLineOfAChunkCounts)
{
    receive("1003\r\n1203\r\n1105\r\n");
    EXPECT_EQ(page.keypos->text(), "Ignition Key 2");
    EXPECT_EQ(page.light->text(), "LIGHTS OFF");
    EXPECT_EQ(keys(), "");
    EXPECT_EQ(traceLines().size(), 1);
}

TEST_F(CanLinkTest, TwoCarriageReturnsInARowMakeNoEmptyLine)
{
    receive("1003\r\r1201\r");
    EXPECT_EQ(traceLines(), (QStringList{at("Ignition Key 2"), at("Light Park ")}));
}

TEST_F(CanLinkTest, TenLinesInA200ByteChunkAreDecodedInOrder)
{
    QByteArray chunk;
    for (const char *line :
         {"1000", "1001", "1002", "1003", "1200", "1201", "1202", "1203", "1601", "1602"})
        chunk += QByteArray(line) + QByteArray(15, '0') + '\r';
    ASSERT_EQ(chunk.size(), 200);
    receive(chunk);
    EXPECT_EQ(
        traceLines(),
        (QStringList{at("Ignition off"), at("Ignition Key 0"), at("Ignition Key 1"),
                     at("Ignition Key 2"), at("Light Off "), at("Light Park "), at("Light Lower "),
                     at("Light Upper "), at("Wheel Status is CAN_WheelButton_left_up "),
                     at("Wheel Status is CAN_WheelButton_left_down ")}));
    EXPECT_EQ(keys(), "RL");
}

TEST_F(CanLinkTest, ABytePairAcrossTwoBytesThatReads0DDoesNotCutTheLine)
{
    // 0x20 0xD5 is "20D5" in hexadecimal: it used to split mid-byte and shift every later
    // pair of the chunk, so the next line was lost.
    receive("1203 \xd5\r1003\r");
    EXPECT_EQ(page.light->text(), "Light Upper ");
    EXPECT_EQ(page.keypos->text(), "Ignition Key 2");
}

TEST_F(CanLinkTest, EveryChunkPaintsCanInTheMainColourWhateverItHolds)
{
    EXPECT_NE(canColour(), mainColour);
    receive("garbage\xff\r");
    EXPECT_EQ(canColour(), mainColour);
    mainColour = QColor(0x4B, 0xF3, 0xEB);
    receive("");
    EXPECT_EQ(canColour(), mainColour);
}

TEST_F(CanLinkTest, AChunkArrivingWhileAKeyIsHandledIsDecodedWholeAndInOrder)
{
    // The action of the first R runs the event loop, and another chunk is handled then.
    bool nested = false;
    mainMenu.onKey = [&](quint16 key) {
        if (key == 'R' && !nested) {
            nested = true;
            receive("1602\r1003\r");
        }
    };
    receive("1601\r1201\r1609\r");
    EXPECT_EQ(keys(), "RLC");
    EXPECT_EQ(traceLines(),
              (QStringList{at("Wheel Status is CAN_WheelButton_left_up "),
                           at("Wheel Status is CAN_WheelButton_left_down "), at("Ignition Key 2"),
                           at("Light Park "), at("Wheel Status is CAN_WheelButton_right_press ")}));
}

TEST_F(CanLinkTest, ALinkWithoutItsHandlerNoLongerReceives)
{
    link.reset();
    receive("1003\r");
    EXPECT_TRUE(traceLines().isEmpty());
}

TEST(CanLine, FieldsOfALine)
{
    const CanLine l = CanLine::read(QStringLiteral("1605AB......"));
    EXPECT_EQ(l.type, 0x16);
    EXPECT_EQ(l.value, 5);
    const CanLine shortLine = CanLine::read(QStringLiteral("1"));
    EXPECT_EQ(shortLine.type, 1);
    EXPECT_EQ(shortLine.value, -1);
    EXPECT_EQ(CanLine::read(QString()).type, -1);
}

TEST_F(CanLinkTest, TheButtonsOfTheLinkGoWithIt)
{
    port.setPortIndex(3);
    link.reset();
    emit page.BitBtn12->clicked();
    emit page.BitBtn13->clicked();
    emit page.BitBtn14->clicked();
    emit page.BitBtn15->clicked();
    EXPECT_EQ(port.requests(), QStringList{"port 3"});
}
