// The sender and its shared-memory channel against a viewer's objects in the fakes.
#include <gtest/gtest.h>

#include "diagnostics/TraceSender.h"
#include "diagnostics/TraceTestSupport.h"
#include "fakes/FakePlatform.h"

namespace tallow::test {
namespace {

// A running viewer as the fakes hold it: the mapping, the queue event and the
// queue mutex, and the process-wide sender connected to it in debug mode.
class TraceSenderTest : public testing::Test {
  protected:
    TraceSenderTest() : view(fake.sharedMemory.Add(kTraceMapName, kQueueOffset + 4096 * 4)) {
        InitViewerMapping(view, 4096 * 4);
        fake.events.AddEvent(kTraceQueueEventName);
        fake.events.AddMutex(kTraceQueueMutexName);
        DebugTrace().Enabled = true;
        DebugTrace().AutoStartViewer = true;
        DebugTrace().ViewerLaunchTried = false;
    }
    ~TraceSenderTest() override {
        DebugTrace().Enabled = false;
        DebugTrace().Filter = TTraceFilter();
    }

    std::vector<TTraceRecordFields> Records() {
        std::vector<TTraceRecordFields> records;
        DrainTraceQueue(view.data(), view.size(), [&](const std::uint8_t* record, std::size_t size) {
            records.push_back(*ParseTraceRecord(record, size));
        });
        return records;
    }
    TMapFileChannel Channel() {
        return TMapFileChannel(TTraceServices::From(fake.Platform()), true,
                               [this](const std::string& e) { errors.push_back(e); });
    }

    TFakePlatform fake;
    std::vector<std::uint8_t>& view;
    std::vector<std::string> errors;
};

TEST_F(TraceSenderTest, LinesReachTheViewerInOrderAfterOneLaunch) {
    TScopedTraceConnection connection(fake.Platform());
    DebugTrace().Trace("");
    EXPECT_TRUE(fake.starter.started.empty());  // an empty text does nothing at all

    DebugTrace().Trace("Enter Debug Mode...");
    DebugTrace().TraceWithTag("Setting Not Found :App.Name", "CLSettings");
    ASSERT_EQ(fake.starter.started.size(), 1u);
    EXPECT_EQ(fake.starter.started[0].application, "C:\\Program Files\\Tallowmere\\TraceViewer.exe");
    EXPECT_EQ(fake.starter.started[0].commandLine, "\"C:\\Program Files\\Tallowmere\\TraceViewer.exe\" -a 4242");
    EXPECT_EQ(fake.events.events[kTraceStartEventName]->waits, 1);

    const auto records = Records();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].text, "Enter Debug Mode...");
    EXPECT_EQ(records[0].tag, "");
    EXPECT_EQ(records[1].text, "Setting Not Found :App.Name");
    EXPECT_EQ(records[1].tag, "CLSettin");
    EXPECT_EQ(records[1].processId, 4242u);
    EXPECT_EQ(records[1].threadId, 77u);
    EXPECT_EQ(records[1].timeStamp, fake.clock.now);
    EXPECT_EQ(fake.events.events[kTraceQueueEventName]->sets, 2);
    EXPECT_EQ(fake.events.events[kTraceFlushEventName]->waits, 2);  // the viewer never flushed: 100 ms each
    EXPECT_FALSE(fake.events.mutexes[kTraceQueueMutexName]->held);
    EXPECT_EQ(DebugTrace().ThreadDepths(), (std::map<std::uint32_t, int>{{77u, 0}}));

    DebugTrace().Enabled = false;
    DebugTrace().Trace("debug mode off");
    EXPECT_TRUE(Records().empty());
}

TEST_F(TraceSenderTest, ViewerFilterTakesEffectFromTheNextLine) {
    TScopedTraceConnection connection(fake.Platform());
    DebugTrace().Trace("before");
    TTraceFilter filter;
    filter.Enabled = true;
    filter.Tag = "CLSettin";
    PublishTraceFilter(view.data(), filter);
    DebugTrace().TraceWithTag("long tag", "CLSettings");
    DebugTrace().TraceWithTag("short tag", "clsettin");
    EXPECT_EQ(Word(view, trace_header::FilterChanged), 0u);
    const auto records = Records();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[1].text, "short tag");
}

TEST_F(TraceSenderTest, ChannelFailuresDropTheLineAndReachOnlyTheErrorHook) {
    TMapFileChannel channel = Channel();
    const TTraceRecord record = [] {
        TTraceRecord r;
        TTraceRecordFields fields;
        fields.text = "line";
        BuildTraceRecord(fields, r);
        return r;
    }();
    ASSERT_TRUE(channel.EnsureConnected());

    fake.events.mutexes[kTraceQueueMutexName]->held = true;  // held elsewhere past 1000 ms
    channel.SendRecord(record.bytes.data(), record.size);
    EXPECT_TRUE(channel.EnsureConnected());  // still connected

    fake.events.mutexes.clear();
    channel.SendRecord(record.bytes.data(), record.size);
    const int opens = fake.sharedMemory.opens;
    EXPECT_TRUE(channel.EnsureConnected());
    EXPECT_EQ(fake.sharedMemory.opens, opens + 1);  // the missing mutex closed the channel

    fake.events.AddMutex(kTraceQueueMutexName);
    fake.events.events[kTraceFlushEventName]->waitResult = TWaitResult{WaitOutcome::Failed, "The handle is invalid."};
    channel.SendRecord(record.bytes.data(), record.size);
    EXPECT_EQ(errors,
              (std::vector<std::string>{"Mutex Obtained Error.", "Mutex Opened Error.", "The handle is invalid."}));
    EXPECT_EQ(Records().size(), 1u);

    view[0] = 'X';  // the viewer's header broke: disconnect
    EXPECT_FALSE(channel.EnsureConnected());
    fake.sharedMemory.mappings.clear();
    EXPECT_FALSE(channel.EnsureConnected());

    fake.registry.Set(RegistryRoot::CurrentUser, "Software\\TraceView", "TraceViewer", "D:\\Tools\\viewer.exe");
    EXPECT_EQ(channel.ViewerCommand(), "D:\\Tools\\viewer.exe -a 4242");
}

}  // namespace
}  // namespace tallow::test
