// libFuzzer entry for the trace sender against a hostile viewer: the input is
// the whole shared mapping as a viewer left it (header, queue, anything after).
// The sender must stay inside the view, and a record it accepts must be the
// one a reader finds at the old tail, wrapping at the end of the queue area.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "diagnostics/TraceChannel.h"
#include "fakes/FakePlatform.h"

namespace {

const size_t kMaxMapping = 1 << 16;

tallow::TTraceRecord Record(size_t textSize) {
    tallow::TTraceRecordFields fields;
    fields.text.assign(textSize, 'r');
    fields.tag = "CLSettings";
    tallow::TTraceRecord record;
    tallow::BuildTraceRecord(fields, record);
    return record;
}

// The `size` bytes a reader finds at queue offset `at`, wrapping at the end of the queue area.
std::vector<uint8_t> ReadBack(const std::vector<uint8_t>& view, size_t at, size_t size) {
    const auto area = tallow::TraceQueueArea(view.data(), view.size());
    std::vector<uint8_t> bytes;
    for (size_t i = 0; area && i < size; ++i) {
        bytes.push_back(view[area->offset + (at + i) % area->size]);
    }
    return bytes;
}

}  // namespace

// True when the first record was placed in the queue.
bool TallowFuzzLoad(const uint8_t* data, size_t size) {
    if (size > kMaxMapping) {
        return false;
    }
    tallow::TFakePlatform fake;
    std::vector<uint8_t>& view = fake.sharedMemory.Add(tallow::kTraceMapName, size);
    std::memcpy(view.data(), data, size);
    fake.events.AddEvent(tallow::kTraceQueueEventName);
    fake.events.AddMutex(tallow::kTraceQueueMutexName);
    tallow::TMapFileChannel channel(tallow::TTraceServices::From(fake.Platform()), true);
    if (!channel.EnsureConnected()) {
        return false;
    }
    tallow::TTraceFilter filter;
    channel.ReadViewerFilter(filter);
    bool accepted = false;
    for (size_t textSize : {5u, 100u, 4096u, 0u}) {
        const tallow::TTraceRecord record = Record(textSize);
        const std::vector<uint8_t> before = view;
        const tallow::TraceAppend result =
            tallow::AppendTraceRecord(view.data(), view.size(), record.bytes.data(), record.size);
        if (result == tallow::TraceAppend::Refused) {
            if (view != before) {
                std::abort();  // a refused record changed the mapping
            }
            continue;
        }
        accepted = accepted || textSize == 5;
        const size_t tail = tallow::ReadTraceWord(before.data() + tallow::trace_header::QueueTail);
        const std::vector<uint8_t> written = ReadBack(view, tail, record.size);
        if (written.size() != record.size || std::memcmp(written.data(), record.bytes.data(), record.size) != 0) {
            std::abort();
        }
    }
    // The channel's own path over the same mapping: stays inside the view.
    const tallow::TTraceRecord record = Record(7);
    channel.SendRecord(record.bytes.data(), record.size);
    return accepted;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TallowFuzzLoad(data, size);
    return 0;
}
