#include "DataPath.h"

namespace korvo {

namespace {
std::string& dirStore() {
    static std::string dir = ".";
    return dir;
}
} // namespace

const std::string& programDir() {
    return dirStore();
}

void setProgramDir(std::string dir) {
    while (dir.size() > 1 && dir.back() == '/') {
        dir.pop_back();
    }
    dirStore() = std::move(dir);
}

std::string dataPath(std::string_view name) {
    std::string path = programDir();
    path += "/add/";
    path += name;
    return path;
}

} // namespace korvo
