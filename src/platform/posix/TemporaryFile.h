#pragma once
// A file made under a fresh name in an open folder, for writing a file whole
// before it is renamed into place. It is removed again unless kept, so only a
// crash leaves one behind, under a name beginning with kPartialCopyPrefix.

#include <string>

namespace vellomar {

class TemporaryFile {
public:
    explicit TemporaryFile(int folderFd);
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    int Fd() const { return fd_; }
    // The errno of the failed creation; 0 when the file was made.
    int Error() const { return error_; }
    const std::string& Name() const { return name_; }
    // Closes now, so that a late write error is seen.
    bool Close();
    // Once renamed into place, the file is no longer the temporary's to remove.
    void Keep() { kept_ = true; }

private:
    int folderFd_;
    int fd_ = -1;
    int error_ = 0;
    bool created_ = false;
    bool kept_ = false;
    std::string name_;
};

}  // namespace vellomar
