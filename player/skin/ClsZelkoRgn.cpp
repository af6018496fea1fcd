#include "player/skin/ClsZelkoRgn.h"

#include "platform/DirectorySearch.h"
#include "player/skin/SkinText.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <vector>

namespace skin {

namespace {

enum class Shape { RgnData,
                   Rect,
                   Points };
enum class Combine { Add,
                     Diff };

struct Operation {
    Shape shape;
    Combine combine;
};

std::optional<Operation> ParseOperation(const std::string& word)
{
    const std::string op = skintext::Lower(word);
    if (op == "addrgndata") return Operation{Shape::RgnData, Combine::Add};
    if (op == "diffrgndata") return Operation{Shape::RgnData, Combine::Diff};
    if (op == "addrect") return Operation{Shape::Rect, Combine::Add};
    if (op == "diffrect") return Operation{Shape::Rect, Combine::Diff};
    if (op == "addpoints") return Operation{Shape::Points, Combine::Add};
    if (op == "diffpoints") return Operation{Shape::Points, Combine::Diff};
    return std::nullopt;
}

// Reads the file's 32-bit little-endian integers; a trailing partial value is
// ignored. The file name's letter case need not match (skins come from
// Windows).
RgnLineStatus ReadNumberFile(const std::string& named, std::vector<int32_t>& numbers)
{
    const std::optional<std::string> found = platform::DirectorySearch::FindFile(named);
    if (!found) return RgnLineStatus::MissingFile;
    const std::string& path = *found;
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    if (ec) return RgnLineStatus::MissingFile;
    if (size > ClsZelkoRgn::MaxRegionFileBytes) return RgnLineStatus::FileTooLarge;
    std::ifstream in(path, std::ios::binary);
    if (!in) return RgnLineStatus::MissingFile;
    std::vector<unsigned char> bytes(static_cast<std::size_t>(size));
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    const std::size_t count = static_cast<std::size_t>(in.gcount()) / 4;
    numbers.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const uint32_t v = uint32_t{bytes[i * 4]} | uint32_t{bytes[i * 4 + 1]} << 8 |
            uint32_t{bytes[i * 4 + 2]} << 16 | uint32_t{bytes[i * 4 + 3]} << 24;
        numbers.push_back(static_cast<int32_t>(v));
    }
    return RgnLineStatus::Applied;
}

bool InSkinRange(int64_t n)
{
    return n >= -ClsZelkoRgn::MaxSkinCoordinate && n <= ClsZelkoRgn::MaxSkinCoordinate;
}

// Whether the numbers of a line are all within the skin range: every number
// of a rectangle (and its right and bottom edges) or a polygon, and the
// bounding box and the announced rectangles of a region data block (its
// header counts are checked by the region code, and values after the last
// rectangle are not used).
bool NumbersInRange(Shape shape, const std::vector<int32_t>& numbers)
{
    switch (shape) {
    case Shape::Rect:
        return std::all_of(numbers.begin(), numbers.begin() + 4, InSkinRange) &&
            InSkinRange(int64_t{numbers[0]} + numbers[2]) && InSkinRange(int64_t{numbers[1]} + numbers[3]);
    case Shape::Points: {
        std::vector<platform::Point> vertices;
        for (std::size_t i = 0; i + 1 < numbers.size(); i += 2)
            vertices.push_back({numbers[i], numbers[i + 1]});
        return platform::IsFillablePolygon(vertices);
    }
    case Shape::RgnData: {
        if (numbers.size() < 8) return true;
        const std::size_t count = numbers[2] > 0 ? static_cast<std::size_t>(numbers[2]) : 0;
        const std::size_t end = std::min(numbers.size(), 8 + 4 * std::min(count, numbers.size()));
        return std::all_of(numbers.begin() + 4, numbers.begin() + static_cast<std::ptrdiff_t>(end), InSkinRange);
    }
    }
    return false;
}

} // namespace

const char* RgnLineStatusText(RgnLineStatus status)
{
    switch (status) {
    case RgnLineStatus::Applied: return "applied";
    case RgnLineStatus::UnknownOperation: return "unknown region operation";
    case RgnLineStatus::NoDataSource: return "no data source (expected value(...) or file(...) after one blank)";
    case RgnLineStatus::BadNumber: return "a number that is not a 32-bit integer";
    case RgnLineStatus::TooFewNumbers: return "too few numbers for the operation";
    case RgnLineStatus::MissingFile: return "region file not found";
    case RgnLineStatus::FileTooLarge: return "region file too large";
    case RgnLineStatus::EmptyData: return "no numbers in the data source";
    case RgnLineStatus::BadRegionData: return "region data refused (inconsistent header or counts)";
    case RgnLineStatus::OutOfRange:
        return "a coordinate or size outside -32767..32767, or a polygon over 4096 pixels wide or high";
    case RgnLineStatus::DiffBeforeAdd: return "a diff operation before any area was added";
    }
    return "?";
}

const platform::Region& ClsZelkoRgn::RgnOrEmpty() const
{
    static const platform::Region empty;
    return m_rgn ? *m_rgn : empty;
}

RgnLineStatus ClsZelkoRgn::MakeRgn(const std::string& section, const std::string& value,
                                   const SkinRegionContext& context)
{
    const std::vector<std::string> pieces = skintext::Split(value, ' ');
    const std::optional<Operation> op = ParseOperation(pieces[0]);
    if (!op) return RgnLineStatus::UnknownOperation;
    if (pieces.size() < 2) return RgnLineStatus::NoDataSource;
    const std::string source = skintext::Lower(pieces[1]);

    std::vector<int32_t> numbers;
    if (source.rfind("file", 0) == 0) {
        const std::string path = skintext::ResolveSkinPath(skintext::Between(pieces[1], '(', ')'), context.skinPath);
        if (path.empty()) return RgnLineStatus::MissingFile;
        const RgnLineStatus read = ReadNumberFile(path, numbers);
        if (read != RgnLineStatus::Applied) return read;
    } else if (source.rfind("value", 0) == 0) {
        const std::string inner = skintext::Between(pieces[1], '(', ')');
        if (inner.empty()) return RgnLineStatus::EmptyData;
        for (const std::string& piece : skintext::Split(inner, ',')) {
            const std::optional<int32_t> n = skintext::ToInt32(piece);
            if (!n) return RgnLineStatus::BadNumber;
            numbers.push_back(*n);
        }
    } else {
        return RgnLineStatus::NoDataSource;
    }
    if (numbers.empty()) return RgnLineStatus::EmptyData;

    if (op->shape == Shape::Rect) {
        if (numbers.size() < 4) return RgnLineStatus::TooFewNumbers;
        numbers.resize(4);
    }
    if (op->shape == Shape::Points && (numbers.size() % 2 != 0 || numbers.size() < 6)) {
        return RgnLineStatus::TooFewNumbers;
    }
    if (!NumbersInRange(op->shape, numbers)) return RgnLineStatus::OutOfRange;
    if (op->shape == Shape::Rect) {
        // left, top, width, height become left, top, right, bottom.
        numbers[2] += numbers[0];
        numbers[3] += numbers[1];
    }
    if (op->combine == Combine::Diff && !m_rgn) return RgnLineStatus::DiffBeforeAdd;

    if (skintext::Lower(section) == "body" && op->shape != Shape::Points) {
        const std::size_t from = op->shape == Shape::RgnData ? 8 : 0;
        for (std::size_t i = from; i < numbers.size(); ++i) {
            const int64_t shifted = int64_t{numbers[i]} + ((i % 2 == 0) ? context.frameLeft : context.frameTop);
            numbers[i] = static_cast<int32_t>(std::clamp<int64_t>(shifted, INT32_MIN, INT32_MAX));
        }
        const bool inRange = op->shape == Shape::RgnData ? NumbersInRange(Shape::RgnData, numbers)
                                                         : std::all_of(numbers.begin(), numbers.end(), InSkinRange);
        if (!inRange) return RgnLineStatus::OutOfRange;
    }
    if (!m_rgn) m_rgn = platform::Region();

    platform::Region area;
    switch (op->shape) {
    case Shape::RgnData: {
        std::optional<platform::Region> data = platform::Region::FromRgnData(numbers);
        if (!data) return RgnLineStatus::BadRegionData;
        area = std::move(*data);
        break;
    }
    case Shape::Rect:
        area = platform::Region(platform::Rect{numbers[0], numbers[1], numbers[2], numbers[3]});
        break;
    case Shape::Points: {
        std::vector<platform::Point> vertices;
        for (std::size_t i = 0; i + 1 < numbers.size(); i += 2)
            vertices.push_back({numbers[i], numbers[i + 1]});
        area = platform::Region::FromPolygon(vertices, platform::PolygonFill::Winding);
        break;
    }
    }
    if (op->combine == Combine::Add) {
        m_rgn->Unite(area);
    } else {
        m_rgn->Subtract(area);
    }
    return RgnLineStatus::Applied;
}

} // namespace skin
