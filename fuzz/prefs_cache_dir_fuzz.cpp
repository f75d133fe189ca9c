// A browser's prefs.js of any content: the cache folder read from it is a
// single blank or a folder ending with one '\' and holding no doubled '\'.

#include "FuzzSupport.h"
#include "browsers/CacheFolderList.h"

using namespace vellomar;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const fuzz::ScratchFolder scratch;
    static const DriveTable drives = fuzz::DriveTOver(scratch);
    static const FileSystem files(drives);

    scratch.Write("drive/profile/prefs.js",
                  std::string_view(reinterpret_cast<const char*>(data), size));
    const std::string folder = ReadPrefsCacheDir(files, "t:\\profile\\prefs.js");
    FUZZ_REQUIRE(folder == " " || (folder.ends_with('\\') && folder.find("\\\\") == std::string::npos));
    FUZZ_REQUIRE(folder.find('\n') == std::string::npos);
    return 0;
}
