#include "install/ZipReader.h"

#include <unzip.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <limits>
#include <memory>
#include <new>
#include <optional>
#include <system_error>
#include <vector>

#include "install/LittleEndian.h"
#include "install/UnicodePathExtra.h"
#include "install/Zip64Extra.h"
#include "install/ZipArchiveFile.h"
#include "install/ZipEntryName.h"
#include "install/ZipItemStream.h"
#include "support/PathText.h"
#include "support/TextConvert.h"
#include "support/platform/ConfinedFolder.h"
#include "support/platform/FileSystemPath.h"
#include "support/platform/FreeSpace.h"

namespace {

constexpr std::size_t kMaxExtraField = 0xFFFF;
constexpr std::size_t kCentralHeaderSize = 46;
constexpr std::size_t kLocalHeaderSize = 30;
constexpr std::uint32_t kLocalHeaderSignature = 0x04034B50;  // "PK\3\4"
constexpr std::uint32_t kFlagDataDescriptor = 0x08;
// Archives without zip64 records can't count past 0xFFFF items; minizip then reads on until the
// central directory ends.
constexpr ZPOS64_T kSaturatedItemCount = 0xFFFF;

std::int32_t ClampToInt32(ZPOS64_T value) {
    return value > ZPOS64_T(std::numeric_limits<std::int32_t>::max())
               ? std::numeric_limits<std::int32_t>::max()
               : std::int32_t(value);
}

constexpr std::size_t kMaxStoredName = 0xFFFF;

// The item's name up to its first NUL (a NUL would cut the name later anyway, so it must not hide a
// ".." from the checks): the Unicode path block's when the archive carries one for this name, else
// the stored name, read as UTF-8 whatever the flags say. True in `cut` when the name is longer than
// a record holds; the record then keeps its first kZipMaxName units, never half a surrogate pair.
std::wstring ItemName(std::string_view stored, const unsigned char* extra, std::size_t extraSize, bool& cut) {
    std::string_view utf8 = UnicodePathOf(extra, extraSize, stored).value_or(stored);
    utf8 = utf8.substr(0, utf8.find('\0'));
    std::wstring name = Utf8ToWide(utf8);
    cut = name.size() > kZipMaxName;
    if (cut) name.resize(IsLowSurrogate(name[kZipMaxName]) ? kZipMaxName - 1 : kZipMaxName);
    return name;
}

std::wstring CurrentDirectoryWithSeparator() {
    std::error_code error;
    std::wstring folder = Utf8ToWide(Utf8FromPath(std::filesystem::current_path(error)));
    if (!folder.empty() && !IsPathSeparator(folder.back())) folder += L'/';
    return folder;
}

// minizip takes an end record found at offset 0 for "none found", so it can't open an archive that
// is nothing but that record: the empty archive, possibly with a comment.
bool IsEmptyArchive(const std::string& path) {
    constexpr std::size_t kEndRecordSize = 22;
    std::ifstream file(PathFromUtf8(path), std::ios::binary);
    char record[kEndRecordSize];
    if (!file.read(record, kEndRecordSize)) return false;
    const auto byte = [&](std::size_t at) { return std::uint32_t(static_cast<unsigned char>(record[at])); };
    for (std::size_t at = 4; at < 20; ++at)
        if (byte(at) != 0) return false;  // disks, counts, directory size and offset all zero
    const std::uint32_t commentSize = byte(20) | byte(21) << 8;
    file.seekg(0, std::ios::end);
    return std::string_view(record, 4) == "PK\x05\x06" &&
           std::uint64_t(file.tellg()) == kEndRecordSize + commentSize;
}

std::uint64_t SaturatingAdd(std::uint64_t a, std::uint64_t b) {
    return a > std::numeric_limits<std::uint64_t>::max() - b ? std::numeric_limits<std::uint64_t>::max()
                                                             : a + b;
}

// Where an item's data lies in the archive file: [begin, end).
struct DataRange {
    std::uint64_t begin = 0;
    std::uint64_t end = 0;
};

// What an item's headers say about its data: the sizes (ZIP64 fields applied) from the central
// directory, and where the data begins after its local header.
struct ItemLayout {
    ZipItemSizes sizes;
    std::uint32_t method = 0;
    std::uint32_t flags = 0;
    std::optional<std::uint64_t> dataBegin;
};

// True when two ranges share a byte. Legitimate archives never let items share data; overlapping
// items are how a small archive declares far more content than it holds. O(n log n).
bool AnyOverlap(std::vector<DataRange> ranges) {
    std::sort(ranges.begin(), ranges.end(),
              [](const DataRange& a, const DataRange& b) { return a.begin < b.begin; });
    for (std::size_t i = 1; i < ranges.size(); ++i)
        if (ranges[i].begin < ranges[i - 1].end) return true;
    return false;
}

bool EndsWith(const std::vector<std::wstring>& path, const std::vector<std::wstring>& tail) {
    return tail.size() <= path.size() && std::equal(tail.begin(), tail.end(), path.end() - tail.size());
}

}  // namespace

// The object behind a ZipHandle: the open archive, the position of every item's central
// directory header (read once, so any item is reached without walking the directory again), the
// password, and the buffers that item data moves through.
class ZipReader {
public:
    ~ZipReader();

    ZipResult Open(const std::wstring& path, const char* password);
    ZipResult GetEntry(std::int32_t index, ZipEntryInfo& info);
    ZipResult Extract(std::int32_t index, const std::wstring& target);

private:
    // Where the target's folders begin (the part the caller chose) and the components below it
    // that come from the item's name, with "." and ".." already applied.
    struct TargetPlan {
        std::string root;
        std::vector<std::string> components;
    };

    ZipResult IndexItems();
    std::optional<ItemLayout> ReadLayout(std::uint64_t centralHeader);
    std::optional<std::uint64_t> LocalDataBegin(const ItemLayout& central, std::uint32_t crc);
    bool FitsFreeSpace(const std::string& root, std::int32_t index) const;
    ZipResult LoadEntry(std::int32_t index);
    std::optional<TargetPlan> PlanTarget(const std::wstring& target) const;
    ZipResult ExtractFolder(const TargetPlan& plan) const;
    ZipResult ExtractFile(const TargetPlan& plan);

    bool opened = false;
    ZipArchiveFile file;
    unzFile archive = nullptr;  // stays null for an empty archive
    std::vector<unz64_file_pos> items;
    std::vector<ItemLayout> layouts;
    // Declared content of item i and of every file item after it, for the free-space check.
    std::vector<std::uint64_t> declaredFromItem;
    std::optional<std::string> password;
    std::wstring baseDirectory;
    std::unique_ptr<unsigned char[]> extraField;
    std::unique_ptr<char[]> storedName;
    // The transfer buffers (raw data in, content out), made on the first extraction.
    std::unique_ptr<unsigned char[]> transfer;

    // The record of the item last loaded.
    ZipEntryInfo entry;
    ZipItemFacts entryFacts;
    bool entryNameCut = false;  // the record holds only the first part of the item's name
    std::vector<std::wstring> entryNameComponents;
    std::optional<std::vector<std::wstring>> entryResolved;
};

ZipReader::~ZipReader() {
    if (archive != nullptr) unzClose(archive);
}

ZipResult ZipReader::Open(const std::wstring& path, const char* passwordText) {
    if (opened) return kZipNotInitialised;
    baseDirectory = CurrentDirectoryWithSeparator();
    if (passwordText != nullptr) password.emplace(passwordText);
    extraField.reset(new (std::nothrow) unsigned char[kMaxExtraField]);
    storedName.reset(new (std::nothrow) char[kMaxStoredName]);
    if (!extraField || !storedName) return kZipNoMemory;

    const std::string filePath = WideToUtf8(path);
    if (!file.Open(filePath)) return kZipCannotOpen;
    zlib_filefunc64_def view = file.MinizipView();
    archive = unzOpen2_64(filePath.c_str(), &view);
    if (archive == nullptr) {
        if (!IsEmptyArchive(filePath)) return kZipCannotOpen;
    } else if (const ZipResult indexed = IndexItems(); indexed != kZipOk) {
        return indexed;
    }
    opened = true;
    return kZipOk;
}

ZipResult ZipReader::IndexItems() {
    unz_global_info64 global{};
    if (unzGetGlobalInfo64(archive, &global) != UNZ_OK) return kZipCannotOpen;
    // Reading the whole central directory now finds a damaged archive before any item is written.
    std::vector<std::uint64_t> declared;
    std::vector<DataRange> ranges;
    int status = global.number_entry == 0 ? UNZ_END_OF_LIST_OF_FILE : unzGoToFirstFile(archive);
    for (; status == UNZ_OK; status = unzGoToNextFile(archive)) {
        if (items.size() == std::size_t(std::numeric_limits<std::int32_t>::max())) return kZipCannotOpen;
        unz64_file_pos position{};
        unzGetFilePos64(archive, &position);
        items.push_back(position);
        unz_file_info64 header{};
        if (unzGetCurrentFileInfo64(archive, &header, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK)
            return kZipCannotOpen;
        const std::optional<ItemLayout> layout = ReadLayout(position.pos_in_zip_directory);
        if (!layout) return kZipCannotOpen;
        layouts.push_back(*layout);
        const bool folder =
            EntryAttributes(std::uint32_t(header.version), std::uint32_t(header.external_fa)) &
            kZipAttrDirectory;
        declared.push_back(folder ? 0 : layout->sizes.uncompressed);
        if (layout->dataBegin && layout->sizes.compressed != 0)
            ranges.push_back(
                {*layout->dataBegin, SaturatingAdd(*layout->dataBegin, layout->sizes.compressed)});
    }
    const bool endOfSaturatedCount = status == UNZ_BADZIPFILE && global.number_entry == kSaturatedItemCount &&
                                     items.size() >= kSaturatedItemCount;
    if (status != UNZ_END_OF_LIST_OF_FILE && !endOfSaturatedCount) return kZipCannotOpen;
    if (AnyOverlap(std::move(ranges))) return kZipCannotOpen;
    declaredFromItem.assign(declared.size(), 0);
    std::uint64_t sum = 0;
    for (std::size_t i = declared.size(); i-- > 0;)
        declaredFromItem[i] = sum = SaturatingAdd(sum, declared[i]);
    return kZipOk;
}

// The item whose central directory header starts at `centralHeader`, read from the header's own
// bytes: minizip keeps the saturated 32-bit values where ZIP64 fields hold the real ones. Nothing
// when the header can't be read.
std::optional<ItemLayout> ZipReader::ReadLayout(std::uint64_t centralHeader) {
    unsigned char header[kCentralHeaderSize];
    if (!file.Read(centralHeader, header, sizeof header)) return std::nullopt;
    ItemLayout layout;
    layout.flags = std::uint32_t(ReadLittleEndian(header + 8, 2));
    layout.method = std::uint32_t(ReadLittleEndian(header + 10, 2));
    layout.sizes.compressed = ReadLittleEndian(header + 20, 4);
    layout.sizes.uncompressed = ReadLittleEndian(header + 24, 4);
    layout.sizes.localHeaderOffset = ReadLittleEndian(header + 42, 4);
    const std::uint64_t nameSize = ReadLittleEndian(header + 28, 2);
    const std::size_t extraSize = std::size_t(ReadLittleEndian(header + 30, 2));
    if (!file.Read(centralHeader + kCentralHeaderSize + nameSize, extraField.get(), extraSize))
        return std::nullopt;
    ApplyZip64Extra(extraField.get(), extraSize, ZipHeaderKind::Central, layout.sizes);
    layout.dataBegin = LocalDataBegin(layout, std::uint32_t(ReadLittleEndian(header + 16, 4)));
    return layout;
}

// Where the item's data begins, after its local header. Nothing when that header is missing or
// disagrees with the central directory about the method, or, unless the sizes and CRC follow the
// data, about them; the item's extraction then fails as damaged.
std::optional<std::uint64_t> ZipReader::LocalDataBegin(const ItemLayout& central, std::uint32_t crc) {
    const std::uint64_t at = central.sizes.localHeaderOffset;
    unsigned char header[kLocalHeaderSize];
    if (!file.Read(at, header, sizeof header) || ReadLittleEndian(header, 4) != kLocalHeaderSignature)
        return std::nullopt;
    if (ReadLittleEndian(header + 8, 2) != central.method) return std::nullopt;
    const std::uint64_t nameSize = ReadLittleEndian(header + 26, 2);
    const std::size_t extraSize = std::size_t(ReadLittleEndian(header + 28, 2));
    if (!(central.flags & kFlagDataDescriptor)) {
        ZipItemSizes local;
        local.compressed = ReadLittleEndian(header + 18, 4);
        local.uncompressed = ReadLittleEndian(header + 22, 4);
        if (!file.Read(at + kLocalHeaderSize + nameSize, extraField.get(), extraSize)) return std::nullopt;
        ApplyZip64Extra(extraField.get(), extraSize, ZipHeaderKind::Local, local);
        if (ReadLittleEndian(header + 14, 4) != crc || local.compressed != central.sizes.compressed ||
            local.uncompressed != central.sizes.uncompressed)
            return std::nullopt;
    }
    return SaturatingAdd(at, kLocalHeaderSize + nameSize + extraSize);
}

// Items are extracted in order, so what item `index` and those after it declare must fit on the
// target's file system before the item is written; a bomb is refused before its first byte lands.
// The root may not exist yet: its nearest existing folder tells the file system.
bool ZipReader::FitsFreeSpace(const std::string& root, std::int32_t index) const {
    std::error_code error;
    std::filesystem::path existing = std::filesystem::absolute(PathFromUtf8(root), error);
    while (!std::filesystem::exists(existing, error) && existing.has_relative_path())
        existing = existing.parent_path();
    const std::optional<std::uint64_t> available = FreeBytes(Utf8FromPath(existing));
    return !available || *available >= declaredFromItem[std::size_t(index)];
}

ZipResult ZipReader::GetEntry(std::int32_t index, ZipEntryInfo& info) {
    if (index == -1) {
        info = ZipEntryInfo();
        info.index = std::int32_t(items.size());
        return kZipOk;
    }
    if (const ZipResult loaded = LoadEntry(index); loaded != kZipOk) return loaded;
    info = entry;
    return kZipOk;
}

ZipResult ZipReader::LoadEntry(std::int32_t index) {
    if (index < 0 || std::size_t(index) >= items.size()) return kZipBadArguments;
    if (unzGoToFilePos64(archive, &items[std::size_t(index)]) != UNZ_OK) return kZipCorrupt;
    unz_file_info64 header{};
    if (unzGetCurrentFileInfo64(archive, &header, storedName.get(), kMaxStoredName, extraField.get(),
                                kMaxExtraField, nullptr, 0) != UNZ_OK)
        return kZipCorrupt;

    const std::size_t extraSize = std::min<std::size_t>(header.size_file_extra, kMaxExtraField);
    entry = ZipEntryInfo();
    entry.index = index;
    const std::string_view stored(storedName.get(),
                                  std::min<std::size_t>(header.size_filename, kMaxStoredName));
    entry.name = SanitiseEntryName(ItemName(stored, extraField.get(), extraSize, entryNameCut));
    entry.attr = EntryAttributes(std::uint32_t(header.version), std::uint32_t(header.external_fa));
    entry.atime = entry.ctime = entry.mtime = DosTimeToFileTime(std::uint32_t(header.dosDate));
    ApplyExtendedTimestamp(extraField.get(), extraSize, entry);
    const ItemLayout& layout = layouts[std::size_t(index)];
    entry.compSize = ClampToInt32(layout.sizes.compressed);
    entry.uncSize = ClampToInt32(layout.sizes.uncompressed);

    entryFacts.method = layout.method;
    entryFacts.flags = layout.flags;
    entryFacts.crc = std::uint32_t(header.crc);
    entryFacts.dosDateTime = std::uint32_t(header.dosDate);
    entryFacts.uncompressedSize = layout.sizes.uncompressed;
    entryFacts.compressedSize = layout.sizes.compressed;
    entryFacts.dataBegin = layout.dataBegin;
    entryNameComponents = SplitPathComponents(entry.name);
    entryResolved = ResolveEntryName(entry.name);
    return kZipOk;
}

ZipResult ZipReader::Extract(std::int32_t index, const std::wstring& target) {
    if (const ZipResult loaded = LoadEntry(index); loaded != kZipOk) return loaded;
    if (!entryResolved) return kZipBadArguments;  // the name climbs out of the folder
    if (entryNameCut) return kZipCannotOpen;      // no file may be written under part of its name
    const std::optional<TargetPlan> plan = PlanTarget(target);
    if (!plan) return kZipCannotOpen;
    return (entry.attr & kZipAttrDirectory) ? ExtractFolder(*plan) : ExtractFile(*plan);
}

std::optional<ZipReader::TargetPlan> ZipReader::PlanTarget(const std::wstring& target) const {
    const bool rooted = !target.empty() && IsPathSeparator(target[0]);
    const bool drive = target.size() >= 2 && target[1] == L':';
    const std::wstring full = rooted || drive ? target : baseDirectory + target;
    const bool isFolder = entry.attr & kZipAttrDirectory;
    if (!isFolder && (full.empty() || IsPathSeparator(full.back()))) return std::nullopt;  // no file name

    std::vector<std::wstring> components = SplitPathComponents(full);
    // The usual target is the extraction folder joined with the item's name: then every component
    // of the name is the archive's and is walked without following links. For any other target only
    // the file name is the archive's.
    std::vector<std::wstring> fromArchive;
    if (EndsWith(components, entryNameComponents)) {
        components.resize(components.size() - entryNameComponents.size());
        fromArchive = *entryResolved;
    } else if (!isFolder) {
        fromArchive = {components.back()};
        components.pop_back();
    }
    if (!isFolder && fromArchive.empty()) return std::nullopt;

    TargetPlan plan;
    if (!full.empty() && IsPathSeparator(full[0])) plan.root.push_back('/');
    for (const std::wstring& component : components) {
        plan.root += WideToUtf8(component);
        plan.root.push_back(kPathSeparator);
    }
    if (plan.root.empty()) plan.root.push_back('.');
    for (const std::wstring& component : fromArchive) plan.components.push_back(WideToUtf8(component));
    return plan;
}

ZipResult ZipReader::ExtractFolder(const TargetPlan& plan) const {
    ConfinedFolder folder = ConfinedFolder::OpenRoot(plan.root);
    if (!folder.IsOpen()) return kZipCannotOpen;
    for (const std::string& name : plan.components)
        if (!folder.EnterChild(name)) return kZipCannotOpen;
    return kZipOk;
}

ZipResult ZipReader::ExtractFile(const TargetPlan& plan) {
    if (!transfer) {
        transfer.reset(new (std::nothrow) unsigned char[2 * ZipItemStream::kBufferSize]);
        if (!transfer) return kZipNoMemory;
    }
    if (!FitsFreeSpace(plan.root, entry.index)) return kZipWriteFailed;
    ZipItemStream stream(file, transfer.get(), transfer.get() + ZipItemStream::kBufferSize);
    // The password is judged before the target is created, so a wrong one leaves nothing behind.
    if (const ZipResult opened = stream.Open(entryFacts, password ? &*password : nullptr); opened != kZipOk)
        return opened;

    ConfinedFolder folder = ConfinedFolder::OpenRoot(plan.root);
    if (!folder.IsOpen()) return kZipCannotOpen;
    for (std::size_t i = 0; i + 1 < plan.components.size(); ++i)
        if (!folder.EnterChild(plan.components[i])) return kZipCannotOpen;
    OutputFile file =
        folder.CreateChildFile(plan.components.back(),
                               (entry.attr & kZipAttrReadOnly) ? FileAccess::ReadOnly : FileAccess::Writable);
    if (!file.IsOpen()) return kZipCannotOpen;

    for (;;) {
        const unsigned char* data = nullptr;
        std::size_t size = 0;
        if (const ZipResult next = stream.Next(data, size); next != kZipOk) return next;
        if (size == 0) break;
        if (!file.Write(data, size)) return kZipWriteFailed;
    }
    // Times are part of the finish, not of the content: a file system that keeps none still has
    // the right bytes.
    file.SetTimes(entry.atime, entry.mtime);
    return file.Close() ? kZipOk : kZipWriteFailed;
}

namespace {

// The reader behind `handle`, or null with the refusal in `result`.
ZipReader* ReaderOf(ZipHandle* handle, ZipResult& result) {
    result = handle == nullptr                      ? kZipBadArguments
             : handle->kind != kZipReaderHandleKind ? kZipWrongHandleKind
             : handle->reader == nullptr            ? kZipBadArguments
                                                    : kZipOk;
    return result == kZipOk ? handle->reader : nullptr;
}

}  // namespace

ZipHandle* OpenArchive(const std::wstring& path, const char* password) {
    std::unique_ptr<ZipReader> reader(new (std::nothrow) ZipReader);
    std::unique_ptr<ZipHandle> handle(new (std::nothrow) ZipHandle);
    if (!reader || !handle) {
        RememberZipResult(kZipNoMemory);
        return nullptr;
    }
    if (RememberZipResult(reader->Open(path, password)) != kZipOk) return nullptr;
    handle->reader = reader.release();
    return handle.release();
}

ZipResult GetEntry(ZipHandle* handle, std::int32_t index, ZipEntryInfo& info) {
    ZipResult result = kZipOk;
    ZipReader* reader = ReaderOf(handle, result);
    return RememberZipResult(reader != nullptr ? reader->GetEntry(index, info) : result);
}

ZipResult ExtractEntry(ZipHandle* handle, std::int32_t index, const std::wstring& target) {
    ZipResult result = kZipOk;
    ZipReader* reader = ReaderOf(handle, result);
    return RememberZipResult(reader != nullptr ? reader->Extract(index, target) : result);
}

ZipResult CloseArchive(ZipHandle* handle) {
    ZipResult result = kZipOk;
    ZipReader* reader = ReaderOf(handle, result);
    if (reader == nullptr) return RememberZipResult(result);
    delete reader;
    delete handle;
    return RememberZipResult(kZipOk);
}
