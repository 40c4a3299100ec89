// The record layout, the filter and the shared queue, as the sender and the viewer use them.
#include <gtest/gtest.h>

#include <cstring>

#include "diagnostics/TraceTestSupport.h"

namespace tallow::test {
namespace {

TTraceRecord Record(const std::string& text, const std::string& tag = "") {
    TTraceRecordFields fields;
    fields.processId = 4242;
    fields.threadId = 77;
    fields.tag = tag;
    fields.timeStamp = 46000.25;
    fields.text = text;
    TTraceRecord record;
    BuildTraceRecord(fields, record);
    return record;
}

TraceAppend Append(std::vector<std::uint8_t>& view, const TTraceRecord& record) {
    return AppendTraceRecord(view.data(), view.size(), record.bytes.data(), record.size);
}

TEST(TraceRecord, LongTextIsCutToItsFirst4096BytesAndTheTagToEight) {
    const TTraceRecord record = Record(std::string(4096, 'a') + std::string(904, 'b'), "CLSettings");
    EXPECT_EQ(record.size, 4144u);
    EXPECT_EQ(ReadTraceWord(record.bytes.data()), 4144u);
    EXPECT_EQ(std::memcmp(record.bytes.data() + 20, "CLSettin", 8), 0);
    EXPECT_EQ(ReadTraceWord(record.bytes.data() + 36), 1u);  // local date and time

    const auto fields = ParseTraceRecord(record.bytes.data(), record.size);
    ASSERT_TRUE(fields);
    EXPECT_EQ(fields->text, std::string(4096, 'a'));
    EXPECT_EQ(fields->tag, "CLSettin");
    EXPECT_EQ(fields->level, 3);
    EXPECT_EQ(fields->processId, 4242u);
    EXPECT_EQ(fields->threadId, 77u);
    EXPECT_EQ(fields->timeStamp, 46000.25);

    const TTraceRecord shortTag = Record("x", "ab");
    EXPECT_EQ(shortTag.size, 49u);
    EXPECT_EQ(std::memcmp(shortTag.bytes.data() + 20, "ab\0\0\0\0\0\0", 8), 0);
    EXPECT_FALSE(ParseTraceRecord(shortTag.bytes.data(), 48));  // length word disagrees
}

TEST(TraceFilter, LevelTypesAndTagInTurn) {
    TTraceFilter filter;
    filter.Level = 0;
    filter.Tag = "zz";
    EXPECT_TRUE(filter.Passes(3, 0, "CLSettings"));  // a disabled filter passes everything

    filter = TTraceFilter();
    filter.Enabled = true;
    filter.Level = 2;
    EXPECT_FALSE(filter.Passes(3, 0, ""));
    EXPECT_TRUE(filter.Passes(2, 0, ""));

    filter.Level = 3;
    filter.MessageTypes = 1u << 1;
    EXPECT_FALSE(filter.Passes(3, 0, ""));
    EXPECT_TRUE(filter.Passes(3, 1, ""));
    EXPECT_FALSE(filter.Passes(3, 17, ""));  // beyond the 16 types: never

    filter.MessageTypes = 0;
    filter.Tag = "CLSettin";
    EXPECT_FALSE(filter.Passes(3, 0, "CLSettings"));  // longer than 8: never matches
    EXPECT_TRUE(filter.Passes(3, 0, "clsettin"));
    EXPECT_FALSE(filter.Passes(3, 0, ""));
}

TEST(TraceHeader, PublishedFilterIsTakenOnceAndCleared) {
    std::vector<std::uint8_t> view = ViewerMapping(256);
    TTraceFilter published;
    published.Enabled = true;
    published.Level = 2;
    published.Tag = "CLUpdate";
    published.MessageTypes = 0x8001;
    PublishTraceFilter(view.data(), published);
    EXPECT_EQ(Word(view, trace_header::FilterChanged), 1u);

    TTraceFilter taken;
    TakeTraceFilter(view.data(), taken);
    EXPECT_TRUE(taken.Enabled);
    EXPECT_EQ(taken.Level, 2);
    EXPECT_EQ(taken.Tag, "CLUpdate");
    EXPECT_EQ(taken.MessageTypes, 0x8001);
    EXPECT_EQ(Word(view, trace_header::FilterChanged), 0u);
}

TEST(TraceQueue, RecordWrapsWithTheWholeLengthWordAtItsOffset) {
    const std::size_t q = 200;
    std::vector<std::uint8_t> view = ViewerMapping(q);
    SetPositions(view, 198, 198);  // 2 bytes left before the end of the queue area
    const TTraceRecord record = Record("twelve bytes");
    ASSERT_EQ(Append(view, record), TraceAppend::Written);
    EXPECT_EQ(Word(view, kQueueOffset + 198), 60u);  // runs 2 bytes past the queue area
    EXPECT_EQ(std::memcmp(view.data() + kQueueOffset, record.bytes.data() + 2, 58), 0);
    EXPECT_EQ(Word(view, trace_header::QueueTail), 58u);
    EXPECT_EQ(Drain(view), std::vector<std::string>{"twelve bytes"});

    // A view that ends with the queue area leaves no room for the length word.
    std::vector<std::uint8_t> tight = ViewerMapping(q, 0);
    SetPositions(tight, 198, 198);
    const std::vector<std::uint8_t> before = tight;
    EXPECT_EQ(Append(tight, record), TraceAppend::Refused);
    EXPECT_EQ(tight, before);

    // With 4 bytes or more left the record is split wherever the end falls.
    SetPositions(view, 150, 150);
    ASSERT_EQ(Append(view, Record(std::string(52, 'w'))), TraceAppend::Written);
    EXPECT_EQ(Word(view, trace_header::QueueTail), 50u);
    EXPECT_EQ(Drain(view), std::vector<std::string>{std::string(52, 'w')});
}

TEST(TraceQueue, FullWrappedQueueDropsTheOldestJustEnough) {
    std::vector<std::uint8_t> view = ViewerMapping(300);
    SetPositions(view, 150, 150);
    for (const std::string& text : {std::string(52, 'A'), std::string(52, 'B'), std::string(2, 'C')}) {
        ASSERT_EQ(Append(view, Record(text)), TraceAppend::Written);
    }
    ASSERT_EQ(Word(view, trace_header::QueueTail), 100u);  // wrapped: tail behind front
    ASSERT_EQ(Word(view, trace_header::QueueFront), 150u);

    // 50 bytes are free; a 60-byte record costs the oldest (A) and nothing more.
    EXPECT_EQ(Append(view, Record("twelve bytes")), TraceAppend::WrittenDroppingOldest);
    EXPECT_EQ(Word(view, trace_header::QueueFront), 250u);
    EXPECT_EQ(Word(view, trace_header::QueueTail), 160u);
    EXPECT_EQ(Drain(view), (std::vector<std::string>{std::string(52, 'B'), "CC", "twelve bytes"}));

    // A record as long as the queue area could never be told from an empty queue.
    std::vector<std::uint8_t> small = ViewerMapping(100);
    EXPECT_EQ(Append(small, Record(std::string(52, 'x'))), TraceAppend::Refused);
    EXPECT_EQ(Append(small, Record(std::string(51, 'x'))), TraceAppend::Written);
}

TEST(TraceQueue, HostileHeadersAreRefusedWithoutTouchingTheView) {
    const std::size_t q = 300;
    const TTraceRecord record = Record("hello");
    const auto full = [&](std::vector<std::uint8_t>& v) {  // tail right behind front: must drop
        SetPositions(v, 100, 99);
    };
    const std::vector<std::function<void(std::vector<std::uint8_t>&)>> damage = {
        [](auto& v) { v[0] = 'X'; },
        [](auto& v) { WriteTraceWord(v.data() + trace_header::CheckValue, 1); },
        [](auto& v) { WriteTraceWord(v.data() + trace_header::MapSize, static_cast<std::uint32_t>(v.size() + 1)); },
        [](auto& v) { WriteTraceWord(v.data() + trace_header::QueueOffset, 20); },
        [](auto& v) { WriteTraceWord(v.data() + trace_header::QueueOffset, 0xFFFFFFF0u); },
        [&](auto& v) { SetPositions(v, 0, static_cast<std::uint32_t>(q)); },
        [&](auto& v) { SetPositions(v, static_cast<std::uint32_t>(q) + 7, 0); },
        [&](auto& v) {
            full(v);
            WriteTraceWord(v.data() + kQueueOffset + 100, 0);
        },  // would never advance
        [&](auto& v) {
            full(v);
            WriteTraceWord(v.data() + kQueueOffset + 100, 47);
        },
        [&](auto& v) {
            full(v);
            WriteTraceWord(v.data() + kQueueOffset + 100, 0x7FFFFFFF);
        },
        [&](auto& v) {
            full(v);
            WriteTraceWord(v.data() + kQueueOffset + 100, 4000);
        },  // more than is unread
        [&](auto& v) { SetPositions(v, static_cast<std::uint32_t>(q) - 1, static_cast<std::uint32_t>(q) - 2); },
    };
    for (std::size_t i = 0; i < damage.size(); ++i) {
        std::vector<std::uint8_t> view = ViewerMapping(q, 0);
        damage[i](view);
        const std::vector<std::uint8_t> before = view;
        EXPECT_EQ(Append(view, record), TraceAppend::Refused) << "case " << i;
        EXPECT_EQ(view, before) << "case " << i;
    }
    EXPECT_FALSE(TraceQueueArea(nullptr, 0));
    std::vector<std::uint8_t> header = ViewerMapping(0, 0);
    EXPECT_FALSE(TraceQueueArea(header.data(), header.size()));  // no queue area at all
}

}  // namespace
}  // namespace tallow::test
