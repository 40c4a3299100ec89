// The sender and its shared-memory channel against a viewer's objects in the fakes.
#include <gtest/gtest.h>

#include "TraceViewerQueue.h"
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

// Where a standard user may not make objects in the Global namespace, the viewer
// makes its objects in the Local one and the sender finds them there; a viewer
// that could make them globally is found there first, also by a standard user.
TEST(TraceNamespaceTest, SenderAndViewerMeetInTheFirstNamespaceTheViewerCouldUse) {
    struct Case {
        const char* name;
        bool viewerRefused, senderRefused;
        TraceNamespace expected;
    };
    const Case cases[] = {
        {"both may make global objects", false, false, TraceNamespace::Global},
        {"standard user on both sides", true, true, TraceNamespace::Local},
        {"elevated viewer, standard sender", false, true, TraceNamespace::Global},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TraceNamespace other =
            c.expected == TraceNamespace::Global ? TraceNamespace::Local : TraceNamespace::Global;
        TFakePlatform fake;
        TTraceViewerQueue viewer(fake.sharedMemory, fake.events);
        fake.starter.onStart = [&](const TProcessRequest&) {
            fake.sharedMemory.globalCreationRefused = fake.events.globalCreationRefused = c.viewerRefused;
            bool another = true;
            EXPECT_TRUE(viewer.Create(another));
            EXPECT_FALSE(another);
            viewer.AnswerLaunch();
            fake.sharedMemory.globalCreationRefused = fake.events.globalCreationRefused = c.senderRefused;
        };
        fake.sharedMemory.globalCreationRefused = fake.events.globalCreationRefused = c.senderRefused;
        {
            TScopedTraceConnection connection(fake.Platform());
            DebugTrace().Enabled = DebugTrace().AutoStartViewer = true;
            DebugTrace().ViewerLaunchTried = false;
            DebugTrace().Trace("first");
            DebugTrace().Trace("second");
            DebugTrace().Enabled = false;
        }
        const auto records = viewer.Take();
        ASSERT_EQ(records.size(), 2u);
        EXPECT_EQ(records[1].text, "second");

        EXPECT_EQ(fake.sharedMemory.mappings.count(TraceObjectName(kTraceMapName, c.expected)), 1u);
        EXPECT_EQ(fake.sharedMemory.mappings.count(TraceObjectName(kTraceMapName, other)), 0u);
        // The sender waits for the launched viewer in the first namespace it may make objects in.
        const TraceNamespace launch = c.senderRefused ? TraceNamespace::Local : TraceNamespace::Global;
        const auto started = fake.events.events.find(TraceObjectName(kTraceStartEventName, launch));
        ASSERT_NE(started, fake.events.events.end());
        EXPECT_EQ(started->second->sets, 1);
        EXPECT_EQ(fake.events.events[TraceObjectName(kTraceQueueEventName, c.expected)]->sets, 2);
        EXPECT_EQ(fake.events.mutexes[TraceObjectName(kTraceQueueMutexName, c.expected)]->acquisitions, 3);

        bool another = false;
        TTraceViewerQueue second(fake.sharedMemory, fake.events);
        EXPECT_FALSE(second.Create(another));  // one viewer per namespace the user can reach
        EXPECT_TRUE(another);
    }
}

TEST(TraceNamespaceTest, NamesMoveFromGlobalToLocal) {
    EXPECT_EQ(TraceObjectName(kTraceMapName, TraceNamespace::Global), "Global\\TraceViewMap");
    EXPECT_EQ(TraceObjectName(kTraceMapName, TraceNamespace::Local), "Local\\TraceViewMap");
    EXPECT_EQ(TraceObjectName(kTraceStartEventName, TraceNamespace::Local), "Local\\TraceViewStartEvent");
    EXPECT_EQ(TraceObjectName("Session\\1\\X", TraceNamespace::Local), "Session\\1\\X");
}

}  // namespace
}  // namespace tallow::test
