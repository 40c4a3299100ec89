// The layout shared by the trace sender and the viewer: the trace record, the
// header at the start of the shared mapping, the queue of records behind it,
// and the filter the viewer publishes. One definition for both sides.
//
// All integers are little-endian (the program runs on x86 only) and packed.
// The queue is a ring of records from QueueFront (oldest unread) to QueueTail
// (next write), both offsets within the queue area; front = tail means empty.
// Every function here checks the header it reads against the size of the view
// it was given and never touches a byte outside that view.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace tallow {

//--- Names and numbers ------------------------------------------------------------------------------

inline constexpr const char* kTraceMapName = "Global\\TraceViewMap";
inline constexpr const char* kTraceQueueEventName = "Global\\TraceViewQueueEvent";
inline constexpr const char* kTraceQueueMutexName = "Global\\TraceViewQueueMutex";
inline constexpr const char* kTraceFlushEventName = "Global\\TraceViewFlushEvent";
inline constexpr const char* kTraceStartEventName = "Global\\TraceViewStartEvent";

/// The object-name namespaces the viewer and the sender try, in this order:
/// "Global\" (every session sees it, but making a new object there needs a
/// privilege a standard user lacks), then "Local\" (this session's own).
enum class TraceNamespace { Global, Local };
inline constexpr TraceNamespace kTraceNamespaces[] = {TraceNamespace::Global, TraceNamespace::Local};
/// One of the names above (all "Global\...") in namespace `space`.
std::string TraceObjectName(const char* globalName, TraceNamespace space);

inline constexpr std::uint32_t kTraceCheckValue = 0x7F3D92E0;
inline constexpr int kTraceDefaultLevel = 3;
inline constexpr std::uint32_t kTraceDefaultMessageType = 0;
inline constexpr std::uint32_t kTraceTimeStampLocal = 1;

inline constexpr std::size_t kTraceRecordHeaderSize = 48;
inline constexpr std::size_t kTraceMaxTextSize = 4096;
inline constexpr std::size_t kTraceMaxRecordSize = kTraceRecordHeaderSize + kTraceMaxTextSize;
inline constexpr std::size_t kTraceTagSize = 8;
/// The shared header's size; the queue area starts at or after it.
inline constexpr std::size_t kTraceHeaderSize = 50;

/// Offsets of the shared header's fields.
namespace trace_header {
inline constexpr std::size_t Magic = 0, CheckValue = 8, MapSize = 12, QueueOffset = 16, QueueFront = 20, QueueTail = 24,
                             FilterChanged = 28, FilterEnabled = 32, FilterLevel = 36, FilterTag = 40,
                             FilterMessageTypes = 48;
}

//--- Records ----------------------------------------------------------------------------------------

/// One record's fields as the sender fills them and the viewer reads them.
struct TTraceRecordFields {
    int level = kTraceDefaultLevel;
    int indentDepth = 0;
    std::uint32_t processId = 0;
    std::uint32_t threadId = 0;
    std::string tag;  // only its first 8 bytes travel
    std::uint32_t messageType = kTraceDefaultMessageType;
    std::uint32_t cycleInterval = 0;
    std::uint32_t timeStampKind = kTraceTimeStampLocal;
    double timeStamp = 0;  // kind 1: local day count since 1899-12-30
    std::string text;      // only its first 4096 bytes travel
};

/// A record built in its zero-filled buffer; `size` bytes of `bytes` are the record.
struct TTraceRecord {
    std::array<std::uint8_t, kTraceMaxRecordSize> bytes{};
    std::uint32_t size = 0;
};

/// Builds the record of `fields`: the text cut to 4096 bytes, the tag to 8.
void BuildTraceRecord(const TTraceRecordFields& fields, TTraceRecord& record);

/// Reads back a record of `size` bytes; none when its length word disagrees
/// with `size` or lies outside 48 to 4144.
std::optional<TTraceRecordFields> ParseTraceRecord(const std::uint8_t* bytes, std::size_t size);

//--- The filter -------------------------------------------------------------------------------------

/// Which messages the viewer wants. Changes only when the viewer publishes one.
class TTraceFilter {
  public:
    bool Enabled = false;
    int Level = kTraceDefaultLevel;
    std::string Tag;                 // at most 8 characters
    std::uint16_t MessageTypes = 0;  // bit n: type n passes; none set: no type filter

    /// Disabled passes all. Otherwise: level at most Level, the type's bit set
    /// (when any is), the tag equal to Tag regardless of case (when Tag is set;
    /// a tag longer than 8 characters never matches).
    bool Passes(int level, std::uint32_t messageType, const std::string& tag) const;
};

//--- The shared header and its queue ------------------------------------------------------------------

/// The queue area as a header describes it, checked against the view.
struct TTraceQueueArea {
    std::size_t offset = 0;  // QueueOffset
    std::size_t size = 0;    // MapSize - QueueOffset
};

/// True when the view starts with the magic text and the check value.
bool TraceHeaderIntact(const std::uint8_t* view, std::size_t viewSize);

/// The queue area when the header is intact, MapSize fits in the view and the
/// queue area lies after the header and is larger than a record header.
std::optional<TTraceQueueArea> TraceQueueArea(const std::uint8_t* view, std::size_t viewSize);

enum class TraceAppend { Written, WrittenDroppingOldest, Refused };

/// Appends a record of `size` bytes at QueueTail (the caller holds the queue
/// mutex). When the queue is full the oldest records are dropped, just enough
/// for the new one. A record that wraps continues at the start of the queue
/// area; with fewer than 4 bytes left at the end, the whole length word is
/// still written at the record's offset. Refused, with nothing changed, when
/// the header is unusable, front or tail lie outside the queue, a stored
/// length is not that of a record within the unread data, the record does
/// not fit in the queue, or a write would leave the view.
TraceAppend AppendTraceRecord(std::uint8_t* view, std::size_t viewSize, const std::uint8_t* record, std::uint32_t size);

/// Reads every unread record in order (the caller holds the queue mutex) and
/// moves QueueFront to QueueTail. Unread data that is no sequence of sane
/// records is skipped whole. Returns the number of records handed on.
std::size_t DrainTraceQueue(std::uint8_t* view,
                            std::size_t viewSize,
                            const std::function<void(const std::uint8_t* record, std::size_t size)>& onRecord);

/// Writes a fresh header for a mapping of `mapSize` bytes whose queue starts at
/// `queueOffset`, with an empty queue and no filter.
void InitTraceHeader(std::uint8_t* view, std::uint32_t mapSize, std::uint32_t queueOffset);

/// Publishes `filter` in the header and marks it changed.
void PublishTraceFilter(std::uint8_t* view, const TTraceFilter& filter);

/// Reads the published filter into `filter` and clears FilterChanged.
void TakeTraceFilter(std::uint8_t* view, TTraceFilter& filter);

std::uint32_t ReadTraceWord(const std::uint8_t* at);
void WriteTraceWord(std::uint8_t* at, std::uint32_t value);

}  // namespace tallow
