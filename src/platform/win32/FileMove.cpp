#include "platform/FileMove.h"

#include <memory>

#include "platform/FreshName.h"
#include "platform/win32/EntryHandle.h"
#include "platform/win32/EntryRemoval.h"

namespace vellomar {
namespace {

constexpr LONG kNotSameDevice = static_cast<LONG>(0xC00000D4);  // STATUS_NOT_SAME_DEVICE

bool Unchanged(const HeldInfo& before, const HeldInfo& now) {
    return before.identity == now.identity && before.size == now.size &&
           before.modified == now.modified;
}

bool CopyContents(HANDLE in, HANDLE out) {
    constexpr DWORD kBufferSize = 1 << 20;
    auto buffer = std::make_unique<char[]>(kBufferSize);
    for (;;) {
        DWORD got = 0, put = 0;
        if (!ReadFile(in, buffer.get(), kBufferSize, &got, nullptr)) return false;
        if (got == 0) return true;
        if (!WriteFile(out, buffer.get(), got, &put, nullptr) || put != got) return false;
    }
}

// The copy of a file of another volume, as MoveFile describes it; the
// original is removed through the handle it was checked and read through.
FileOutcome CopyThenRemove(HANDLE source, const HeldInfo& before, HANDLE toFolder,
                           const std::string& newName) {
    const OpenedEntry copy = OpenEntry(toFolder, FreshName(kPartialCopyPrefix),
                                       {GENERIC_WRITE | DELETE, FILE_NON_DIRECTORY_FILE, 2});
    if (!copy) return copy.failure;
    FILE_BASIC_INFO times{};
    bool whole = CopyContents(source, copy.handle.Get()) &&
                 GetFileInformationByHandleEx(source, FileBasicInfo, &times, sizeof times) &&
                 SetFileInformationByHandle(copy.handle.Get(), FileBasicInfo, &times,
                                            sizeof times) &&
                 FlushFileBuffers(copy.handle.Get());
    FileOutcome outcome = whole ? FileOutcome::Done : OutcomeOfError(GetLastError());
    const auto now = InfoOf(source);
    const auto copied = InfoOf(copy.handle.Get());
    if (outcome == FileOutcome::Done &&
        (!now || !copied || !Unchanged(before, *now) || copied->size != before.size))
        outcome = FileOutcome::Changed;
    if (outcome == FileOutcome::Done) {
        const LONG status = RenameEntry(copy.handle.Get(), toFolder, newName, false);
        if (status != 0) outcome = OutcomeOfStatus(status);
    }
    // The source, open for reading here, cannot be told apart from another
    // program's reader: where only the old way of removal is had, a file
    // that program holds stays until it closes it.
    if (outcome == FileOutcome::Done) outcome = MarkForRemoval(source, false, false).outcome;
    if (outcome == FileOutcome::Done) return FileOutcome::Done;
    MarkForDeletion(copy.handle.Get());  // wherever it stands now, the copy goes
    return outcome;
}

}  // namespace

FileOutcome MoveFile(const Folder& from, const std::string& name, const Folder& to,
                     const std::string& newName, const EntryCheck& check) {
    if (!from || !to || !IsPlainName(name) || !IsPlainName(newName)) return FileOutcome::NotFound;
    // The file is opened as itself, a link never followed, checked through
    // that handle and moved by it: what moves is what was checked.
    const OpenedEntry source =
        OpenEntry(from.handle_, name, {GENERIC_READ | DELETE, 0, 1, Reparse::Open});
    if (!source) return source.failure;
    const auto info = InfoOf(source.handle.Get());
    if (!info) return FileOutcome::Failed;
    if (const FileOutcome refusal = CheckEntry(*info, check); refusal != FileOutcome::Done)
        return refusal;
    const LONG status = RenameEntry(source.handle.Get(), to.handle_, newName, false);
    // A reparse point opened as itself reads as its stub, not its contents:
    // a copy of it would lose the file.
    if (status == kNotSameDevice && (info->attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return FileOutcome::NotPermitted;
    if (status == kNotSameDevice) return CopyThenRemove(source.handle.Get(), *info, to.handle_, newName);
    return status == 0 ? FileOutcome::Done : OutcomeOfStatus(status);
}

}  // namespace vellomar
