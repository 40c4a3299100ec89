#include "diagnostics/TraceRecord.h"

#include <algorithm>
#include <cstring>

#include "components/TextCase.h"

namespace tallow {

namespace {

const char kMagic[8] = {'T', 'R', 'A', 'C', 'E', 'V', 'W', '\0'};

template <typename T>
void Put(std::uint8_t* at, T value) {
    std::memcpy(at, &value, sizeof value);
}

template <typename T>
T Get(const std::uint8_t* at) {
    T value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

std::string Bytes8(const std::uint8_t* at) {
    const char* text = reinterpret_cast<const char*>(at);
    return std::string(text, std::find(text, text + kTraceTagSize, '\0'));
}

void PutBytes8(std::uint8_t* at, const std::string& text) {
    std::memset(at, 0, kTraceTagSize);
    std::memcpy(at, text.data(), std::min(text.size(), kTraceTagSize));
}

// Where a record written at tail `t` of `size` bytes ends up overwriting unread data.
bool ReachesUnread(std::size_t front, std::size_t tail, std::size_t size, std::size_t queueSize) {
    if (tail == front) {
        return false;
    }
    if (tail > front) {
        return tail + size >= queueSize && (tail + size) % queueSize >= front;
    }
    return tail + size >= front;
}

bool SaneLength(std::uint32_t length, std::size_t unread) {
    return length >= kTraceRecordHeaderSize && length <= kTraceMaxRecordSize && length <= unread;
}

}  // namespace

std::string TraceObjectName(const char* globalName, TraceNamespace space) {
    const std::string name = globalName;
    const std::string global = "Global\\";
    if (space == TraceNamespace::Global || name.compare(0, global.size(), global) != 0) {
        return name;
    }
    return "Local\\" + name.substr(global.size());
}

std::uint32_t ReadTraceWord(const std::uint8_t* at) {
    return Get<std::uint32_t>(at);
}

void WriteTraceWord(std::uint8_t* at, std::uint32_t value) {
    Put(at, value);
}

//--- Records ----------------------------------------------------------------------------------------

void BuildTraceRecord(const TTraceRecordFields& fields, TTraceRecord& record) {
    record.bytes.fill(0);
    const std::size_t n = std::min(fields.text.size(), kTraceMaxTextSize);
    std::uint8_t* b = record.bytes.data();
    record.size = static_cast<std::uint32_t>(kTraceRecordHeaderSize + n);
    Put<std::int32_t>(b + 0, static_cast<std::int32_t>(record.size));
    Put<std::int32_t>(b + 4, fields.level);
    Put<std::int32_t>(b + 8, fields.indentDepth);
    Put(b + 12, fields.processId);
    Put(b + 16, fields.threadId);
    PutBytes8(b + 20, fields.tag);
    Put(b + 28, fields.messageType);
    Put(b + 32, fields.cycleInterval);
    Put(b + 36, fields.timeStampKind);
    if (fields.timeStampKind == kTraceTimeStampLocal) {
        Put(b + 40, fields.timeStamp);
    }
    std::memcpy(b + kTraceRecordHeaderSize, fields.text.data(), n);
}

std::optional<TTraceRecordFields> ParseTraceRecord(const std::uint8_t* b, std::size_t size) {
    if (size < kTraceRecordHeaderSize || size > kTraceMaxRecordSize || Get<std::uint32_t>(b) != size) {
        return std::nullopt;
    }
    TTraceRecordFields fields;
    fields.level = Get<std::int32_t>(b + 4);
    fields.indentDepth = Get<std::int32_t>(b + 8);
    fields.processId = Get<std::uint32_t>(b + 12);
    fields.threadId = Get<std::uint32_t>(b + 16);
    fields.tag = Bytes8(b + 20);
    fields.messageType = Get<std::uint32_t>(b + 28);
    fields.cycleInterval = Get<std::uint32_t>(b + 32);
    fields.timeStampKind = Get<std::uint32_t>(b + 36);
    fields.timeStamp = fields.timeStampKind == kTraceTimeStampLocal ? Get<double>(b + 40) : 0;
    fields.text.assign(reinterpret_cast<const char*>(b + kTraceRecordHeaderSize), size - kTraceRecordHeaderSize);
    return fields;
}

//--- The filter -------------------------------------------------------------------------------------

bool TTraceFilter::Passes(int level, std::uint32_t messageType, const std::string& tag) const {
    if (!Enabled) {
        return true;
    }
    if (level > Level) {
        return false;
    }
    if (MessageTypes != 0 && (messageType > 15 || !(MessageTypes & (1u << messageType)))) {
        return false;
    }
    if (!Tag.empty() && (tag.size() > kTraceTagSize || !SameText(tag, Tag))) {
        return false;
    }
    return true;
}

//--- The shared header and its queue ------------------------------------------------------------------

bool TraceHeaderIntact(const std::uint8_t* view, std::size_t viewSize) {
    return view && viewSize >= kTraceHeaderSize && std::memcmp(view, kMagic, sizeof kMagic) == 0 &&
           Get<std::uint32_t>(view + trace_header::CheckValue) == kTraceCheckValue;
}

std::optional<TTraceQueueArea> TraceQueueArea(const std::uint8_t* view, std::size_t viewSize) {
    if (!TraceHeaderIntact(view, viewSize)) {
        return std::nullopt;
    }
    const std::size_t mapSize = Get<std::uint32_t>(view + trace_header::MapSize);
    const std::size_t offset = Get<std::uint32_t>(view + trace_header::QueueOffset);
    if (mapSize > viewSize || offset < kTraceHeaderSize || offset >= mapSize ||
        mapSize - offset <= kTraceRecordHeaderSize) {
        return std::nullopt;
    }
    return TTraceQueueArea{offset, mapSize - offset};
}

TraceAppend AppendTraceRecord(std::uint8_t* view,
                              std::size_t viewSize,
                              const std::uint8_t* record,
                              std::uint32_t size) {
    const std::optional<TTraceQueueArea> area = TraceQueueArea(view, viewSize);
    // A record as long as the queue would leave front = tail: it could never be read.
    if (!area || size < kTraceRecordHeaderSize || size >= area->size) {
        return TraceAppend::Refused;
    }
    const std::size_t q = area->size;
    std::uint8_t* base = view + area->offset;
    const std::size_t room = viewSize - area->offset;  // bytes of the view from the queue's start on
    std::size_t front = Get<std::uint32_t>(view + trace_header::QueueFront);
    const std::size_t tail = Get<std::uint32_t>(view + trace_header::QueueTail);
    if (front >= q || tail >= q) {
        return TraceAppend::Refused;
    }
    const std::size_t k = q - tail;  // bytes before the end of the queue area
    const bool wraps = tail + size >= q;
    if (wraps && k < 4 && tail + 4 > room) {
        return TraceAppend::Refused;
    }
    std::size_t unread = (tail + q - front) % q;
    bool dropped = false;
    while (ReachesUnread(front, tail, size, q)) {
        if (front + 4 > room) {
            return TraceAppend::Refused;
        }
        const std::uint32_t length = Get<std::uint32_t>(base + front);
        if (!SaneLength(length, unread)) {
            return TraceAppend::Refused;
        }
        front = (front + length) % q;
        unread -= length;
        dropped = true;
    }
    if (!wraps) {
        std::memcpy(base + tail, record, size);
    } else {
        std::memcpy(base + tail, record, k < 4 ? 4 : k);
        std::memcpy(base, record + k, size - k);
    }
    Put(view + trace_header::QueueTail, static_cast<std::uint32_t>((tail + size) % q));
    if (dropped) {
        Put(view + trace_header::QueueFront, static_cast<std::uint32_t>(front));
    }
    return dropped ? TraceAppend::WrittenDroppingOldest : TraceAppend::Written;
}

std::size_t DrainTraceQueue(std::uint8_t* view,
                            std::size_t viewSize,
                            const std::function<void(const std::uint8_t*, std::size_t)>& onRecord) {
    const std::optional<TTraceQueueArea> area = TraceQueueArea(view, viewSize);
    if (!area) {
        return 0;
    }
    const std::size_t q = area->size;
    const std::uint8_t* base = view + area->offset;
    std::size_t front = Get<std::uint32_t>(view + trace_header::QueueFront);
    const std::size_t tail = Get<std::uint32_t>(view + trace_header::QueueTail);
    std::size_t handed = 0;
    if (front < q && tail < q) {
        std::size_t unread = (tail + q - front) % q;
        std::array<std::uint8_t, kTraceMaxRecordSize> record;
        while (unread > 0) {
            std::uint8_t word[4];
            for (std::size_t i = 0; i < 4; ++i) {
                word[i] = base[(front + i) % q];
            }
            const std::uint32_t length = Get<std::uint32_t>(word);
            if (!SaneLength(length, unread)) {
                break;
            }
            const std::size_t first = std::min<std::size_t>(length, q - front);
            std::memcpy(record.data(), base + front, first);
            std::memcpy(record.data() + first, base, length - first);
            onRecord(record.data(), length);
            ++handed;
            front = (front + length) % q;
            unread -= length;
        }
    }
    Put(view + trace_header::QueueFront, static_cast<std::uint32_t>(tail < q ? tail : 0));
    if (tail >= q) {
        Put(view + trace_header::QueueTail, std::uint32_t{0});
    }
    return handed;
}

void InitTraceHeader(std::uint8_t* view, std::uint32_t mapSize, std::uint32_t queueOffset) {
    std::memset(view, 0, queueOffset);
    std::memcpy(view, kMagic, sizeof kMagic);
    Put(view + trace_header::CheckValue, kTraceCheckValue);
    Put(view + trace_header::MapSize, mapSize);
    Put(view + trace_header::QueueOffset, queueOffset);
    Put<std::int32_t>(view + trace_header::FilterLevel, kTraceDefaultLevel);
}

void PublishTraceFilter(std::uint8_t* view, const TTraceFilter& filter) {
    Put<std::uint32_t>(view + trace_header::FilterEnabled, filter.Enabled ? 1 : 0);
    Put<std::int32_t>(view + trace_header::FilterLevel, filter.Level);
    PutBytes8(view + trace_header::FilterTag, filter.Tag);
    Put<std::uint16_t>(view + trace_header::FilterMessageTypes, filter.MessageTypes);
    Put<std::uint32_t>(view + trace_header::FilterChanged, 1);
}

void TakeTraceFilter(std::uint8_t* view, TTraceFilter& filter) {
    filter.Enabled = Get<std::uint32_t>(view + trace_header::FilterEnabled) != 0;
    filter.Level = Get<std::int32_t>(view + trace_header::FilterLevel);
    filter.Tag = Bytes8(view + trace_header::FilterTag);
    filter.MessageTypes = Get<std::uint16_t>(view + trace_header::FilterMessageTypes);
    Put<std::uint32_t>(view + trace_header::FilterChanged, 0);
}

}  // namespace tallow
