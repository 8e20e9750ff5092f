#include "Folders.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace korvo {

std::pair<std::string_view, std::string_view> splitLast(std::string_view path) {
    if (path.ends_with('/')) {
        path.remove_suffix(1);
    }
    const std::size_t slash = path.rfind('/');
    if (slash == std::string_view::npos) {
        return {{}, path};
    }
    return {path.substr(0, slash), path.substr(slash + 1)};
}

UniqueFd openFolder(int root, std::string_view path, const std::string& display,
                    std::vector<std::string>* created) {
    constexpr int flags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
    UniqueFd current(::openat(root, ".", flags));
    if (current.get() < 0) {
        throw SystemError(errno, "Cannot open " + display);
    }
    std::size_t start = 0;
    while (start < path.size()) {
        std::size_t slash = path.find('/', start);
        if (slash == std::string_view::npos) {
            slash = path.size();
        }
        const std::string name(path.substr(start, slash - start));
        UniqueFd next(::openat(current.get(), name.c_str(), flags));
        if (next.get() < 0 && errno == ENOENT && created != nullptr) {
            if (::mkdirat(current.get(), name.c_str(), 0755) != 0) {
                throw SystemError(errno,
                                  "Cannot create " + display + std::string(path.substr(0, slash)));
            }
            created->push_back(std::string(path.substr(0, slash)) + '/');
            next.reset(::openat(current.get(), name.c_str(), flags));
        }
        if (next.get() < 0) {
            throw SystemError(errno, "Cannot open " + display + std::string(path.substr(0, slash)));
        }
        current = std::move(next);
        start = slash + 1;
    }
    return current;
}

std::vector<std::string> folderNames(int folder, const std::string& display) {
    // The listing owns a descriptor of its own.
    UniqueFd own(::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    DIR* listing = own.get() < 0 ? nullptr : ::fdopendir(own.get());
    if (listing == nullptr) {
        throw SystemError(errno, "Cannot read " + display);
    }
    own.release();
    std::vector<std::string> names;
    errno = 0;
    while (const dirent* entry = ::readdir(listing)) {
        if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0) {
            names.emplace_back(entry->d_name);
        }
    }
    const int error = errno;
    ::closedir(listing);
    if (error != 0) {
        throw SystemError(error, "Cannot read " + display);
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool removeTree(int parent, const std::string& name) {
    if (::unlinkat(parent, name.c_str(), 0) == 0 || errno == ENOENT) {
        return true;
    }
    if (errno != EISDIR) {
        return false;
    }
    constexpr int flags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
    UniqueFd folder(::openat(parent, name.c_str(), flags));
    if (folder.get() < 0 && errno == EACCES && ::fchmodat(parent, name.c_str(), 0700, 0) == 0) {
        folder.reset(::openat(parent, name.c_str(), flags));
    }
    if (folder.get() < 0) {
        return false;
    }
    (void)::fchmod(folder.get(), 0700); // a read-only folder cannot be emptied
    bool removed = true;
    try {
        for (const auto& inside : folderNames(folder.get(), name)) {
            removed = removeTree(folder.get(), inside) && removed;
        }
    } catch (const SystemError&) {
        return false;
    }
    return removed && ::unlinkat(parent, name.c_str(), AT_REMOVEDIR) == 0;
}

} // namespace korvo

namespace korvo {

std::optional<std::string> readTextAt(int folder, const std::string& name) {
    const UniqueFd file(::openat(folder, name.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
    if (file.get() < 0) {
        return std::nullopt;
    }
    std::string text;
    char buffer[65536];
    ssize_t n = 0;
    while ((n = ::read(file.get(), buffer, sizeof buffer)) > 0) {
        text.append(buffer, static_cast<std::size_t>(n));
    }
    if (n < 0) {
        return std::nullopt;
    }
    return text;
}

} // namespace korvo
