#include "run/ResultList.h"

#include "platform/AsciiCase.h"

#include <algorithm>

namespace vellomar {
namespace {

// Seven bits a byte, lowest first; a set high bit says another byte follows.
void AppendVarint(std::uint64_t value, std::string& out) {
    for (; value >= 0x80; value >>= 7) out.push_back(static_cast<char>(0x80 | (value & 0x7f)));
    out.push_back(static_cast<char>(value));
}

std::uint64_t ReadVarint(const char*& in) {
    std::uint64_t value = 0;
    for (unsigned shift = 0;; shift += 7) {
        const auto byte = static_cast<unsigned char>(*in++);
        value |= std::uint64_t{byte & 0x7fu} << shift;
        if (byte < 0x80) return value;
    }
}

// Seconds before 1970 as small as those after it.
std::uint64_t ZigZag(std::int64_t value) {
    return (static_cast<std::uint64_t>(value) << 1) ^ static_cast<std::uint64_t>(value >> 63);
}
std::int64_t UnZigZag(std::uint64_t value) {
    return static_cast<std::int64_t>(value >> 1) ^ -static_cast<std::int64_t>(value & 1);
}

// An entry's record: its device's place, the inode, the size and the seconds
// as variable-length numbers, the nanoseconds in four bytes (they fill about
// thirty bits), then the path.
constexpr std::size_t kNanosecondBytes = 4;

struct Record {
    std::size_t devicePlace;
    ListedFile file;
    std::string_view path;
};

Record ReadRecord(std::string_view record) {
    const char* in = record.data();
    Record read{};
    read.devicePlace = static_cast<std::size_t>(ReadVarint(in));
    read.file.identity.inode = ReadVarint(in);
    read.file.size = static_cast<std::int64_t>(ReadVarint(in));
    read.file.modified.seconds = UnZigZag(ReadVarint(in));
    std::uint32_t nanoseconds = 0;
    for (std::size_t i = 0; i < kNanosecondBytes; ++i)
        nanoseconds |= std::uint32_t{static_cast<unsigned char>(*in++)} << (8 * i);
    read.file.modified.nanoseconds = static_cast<std::int32_t>(nanoseconds);
    read.path = record.substr(static_cast<std::size_t>(in - record.data()));
    return read;
}

}  // namespace

void ResultList::Append(std::string_view entry, const ListedFile& file) {
    auto device = std::find(devices_.begin(), devices_.end(), file.identity.device);
    if (device == devices_.end()) device = devices_.insert(device, file.identity.device);
    record_.clear();
    AppendVarint(static_cast<std::uint64_t>(device - devices_.begin()), record_);
    AppendVarint(file.identity.inode, record_);
    AppendVarint(static_cast<std::uint64_t>(file.size), record_);
    AppendVarint(ZigZag(file.modified.seconds), record_);
    for (std::size_t i = 0; i < kNanosecondBytes; ++i)
        record_.push_back(static_cast<char>(static_cast<std::uint32_t>(file.modified.nanoseconds) >> (8 * i)));
    record_.append(entry);
    foundAs_.Append(record_);
    shownLowerCased_.push_back(false);
    highlighted_.push_back(false);
}

void ResultList::Clear() {
    // A million paths is worth handing back.
    foundAs_.Clear();
    devices_.clear();
    std::vector<bool>().swap(shownLowerCased_);
    std::vector<bool>().swap(highlighted_);
    highlightedCount_ = 0;
    current_.reset();
    ++generation_;
    ++selectionGeneration_;
}

std::string_view ResultList::FoundPath(std::size_t index) const {
    return ReadRecord(foundAs_.At(index)).path;
}

ListedFile ResultList::Listed(std::size_t index) const {
    Record record = ReadRecord(foundAs_.At(index));
    record.file.identity.device = devices_[record.devicePlace];
    return record.file;
}

std::string ResultList::At(std::size_t index) const {
    const std::string_view found = FoundPath(index);
    return shownLowerCased_[index] ? ToAsciiLower(found) : std::string(found);
}

void ResultList::KeepRows(const std::vector<std::size_t>& rows) {
    PackedTexts foundAs;
    std::vector<bool> shownLowerCased;
    shownLowerCased.reserve(rows.size());
    for (std::size_t row : rows) {
        foundAs.Append(foundAs_.At(row));
        shownLowerCased.push_back(shownLowerCased_[row]);
    }
    foundAs_ = std::move(foundAs);
    shownLowerCased_ = std::move(shownLowerCased);
    highlighted_.assign(Count(), false);
    highlightedCount_ = 0;
    current_.reset();
    if (!Empty()) current_ = 0;
    ++generation_;
    ++selectionGeneration_;
}

void ResultList::Highlight(std::size_t index) {
    if (!highlighted_[index]) {
        highlighted_[index] = true;
        ++highlightedCount_;
    }
    current_ = index;
    ++selectionGeneration_;
}

void ResultList::RemoveHighlight(std::size_t index) {
    if (!highlighted_[index]) return;
    highlighted_[index] = false;
    --highlightedCount_;
    ++selectionGeneration_;
}

void ResultList::HighlightAll() {
    if (Empty()) return;
    highlighted_.assign(Count(), true);
    highlightedCount_ = Count();
    current_ = Count() - 1;
    ++selectionGeneration_;
}

void ResultList::ClearHighlights() {
    highlighted_.assign(Count(), false);
    highlightedCount_ = 0;
    ++selectionGeneration_;
}

void ResultList::SetCurrent(std::size_t index) {
    current_ = index;
    ++selectionGeneration_;
}

}  // namespace vellomar
