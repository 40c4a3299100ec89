// A viewer's mapping for the trace tests: the header, a queue of a chosen size
// at offset 64 and a few bytes of the view after the queue area.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "diagnostics/TraceRecord.h"

namespace tallow::test {

const std::uint32_t kQueueOffset = 64;

inline void InitViewerMapping(std::vector<std::uint8_t>& view, std::size_t queueSize) {
    InitTraceHeader(view.data(), static_cast<std::uint32_t>(kQueueOffset + queueSize), kQueueOffset);
}

inline std::vector<std::uint8_t> ViewerMapping(std::size_t queueSize, std::size_t slack = 4) {
    std::vector<std::uint8_t> view(kQueueOffset + queueSize + slack, 0xEE);  // the slack shows what is written
    std::fill(view.begin() + kQueueOffset, view.begin() + kQueueOffset + queueSize, 0);
    InitViewerMapping(view, queueSize);
    return view;
}

inline std::uint32_t Word(const std::vector<std::uint8_t>& view, std::size_t offset) {
    return ReadTraceWord(view.data() + offset);
}

inline void SetPositions(std::vector<std::uint8_t>& view, std::uint32_t front, std::uint32_t tail) {
    WriteTraceWord(view.data() + trace_header::QueueFront, front);
    WriteTraceWord(view.data() + trace_header::QueueTail, tail);
}

/// The texts of the unread records, oldest first; the queue is empty afterwards.
inline std::vector<std::string> Drain(std::vector<std::uint8_t>& view) {
    std::vector<std::string> texts;
    DrainTraceQueue(view.data(), view.size(), [&](const std::uint8_t* record, std::size_t size) {
        auto fields = ParseTraceRecord(record, size);
        texts.push_back(fields ? fields->text : "<unreadable>");
    });
    return texts;
}

}  // namespace tallow::test
