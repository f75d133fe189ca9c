#include <fstream>
#include <sstream>

#include "platform/DriveTable.h"

namespace vellomar {

DriveTable DriveTable::OfThisMachine() {
    std::ifstream in("/proc/self/mountinfo");
    std::ostringstream text;
    text << in.rdbuf();
    DriveTable table = FromMountInfo(text.str());
    if (!table.Find('c')) table.Assign('c', "/");  // no mount table: the root is all there is
    return table;
}

}  // namespace vellomar
