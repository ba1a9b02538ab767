#include "app/SerialDevices.h"

#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <string_view>
#include <tuple>

#include "link/PortSettings.h"

namespace kelp {
namespace {

namespace fs = std::filesystem;

// The kinds of serial device node, in the order the list shows them.
constexpr std::array<std::string_view, 4> kKinds = {"ttyS", "ttyUSB", "ttyACM", "rfcomm"};

// The kind (index into kKinds) and number of a node name such as
// "ttyUSB3"; false for any other name.
bool ParseNodeName(std::string_view name, std::size_t& kind, int& number) {
    for (std::size_t k = 0; k < kKinds.size(); ++k) {
        if (name.size() <= kKinds[k].size() || name.substr(0, kKinds[k].size()) != kKinds[k]) {
            continue;
        }
        const std::string_view digits = name.substr(kKinds[k].size());
        if (digits.size() > 6 ||
            !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
            return false;
        }
        kind = k;
        number = std::stoi(std::string(digits));
        return true;
    }
    return false;
}

std::string FirstLine(const fs::path& file) {
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    const auto first = line.find_first_not_of(" \t\r");
    const auto last = line.find_last_not_of(" \t\r");
    return first == std::string::npos ? std::string() : line.substr(first, last - first + 1);
}

fs::path Canonical(const std::string& path) {
    std::error_code error;
    fs::path real = fs::canonical(path, error);
    return error ? fs::path() : real;
}

// The USB device's own words for itself: walks up from the terminal's
// device folder to the first folder that names a product.
std::string NameFromClass(const std::string& node, const std::string& ttyClassDir) {
    std::error_code error;
    fs::path dir = fs::canonical(fs::path(ttyClassDir) / node / "device", error);
    for (int level = 0; !error && level < 4 && !dir.empty(); ++level) {
        if (fs::exists(dir / "product", error)) {
            const std::string product = FirstLine(dir / "product");
            const std::string maker = FirstLine(dir / "manufacturer");
            if (maker.empty() || product.find(maker) != std::string::npos) {
                return product;
            }
            return product.empty() ? maker : maker + " " + product;
        }
        if (dir == dir.parent_path()) {
            break;
        }
        dir = dir.parent_path();
    }
    return {};
}

// "usb-FTDI_FT232R_USB_UART_A9XYZ-if00-port0" -> "FTDI FT232R USB UART A9XYZ":
// the bus before the first '-' and the interface after the last "-if" go,
// underscores read as blanks.
std::string NameFromLink(std::string name) {
    if (const auto dash = name.find('-'); dash != std::string::npos && dash < 8) {
        name.erase(0, dash + 1);
    }
    if (const auto tail = name.rfind("-if"); tail != std::string::npos && tail > 0) {
        name.erase(tail);
    }
    std::replace(name.begin(), name.end(), '_', ' ');
    return name;
}

}  // namespace

bool SerialDevicePresent(const std::string& path, const std::string& ttyClassDir) {
    struct stat info {};
    if (path.empty() || ::stat(path.c_str(), &info) != 0 || S_ISDIR(info.st_mode)) {
        return false;
    }
    // The kernel makes the nodes of the first built-in serial ports whether a
    // UART answers there or not; its class folder says which kind it found,
    // 0 for none. Nodes of other kinds (USB adapters, pseudo-terminals) exist
    // only while their device does.
    const std::string name = Canonical(path).filename().string();
    if (name.rfind("ttyS", 0) == 0) {
        std::ifstream type(ttyClassDir + "/" + name + "/type");
        int kind = -1;
        if (type >> kind && kind == 0) {
            return false;
        }
    }
    return true;
}

std::vector<SerialDevice> ListSerialDevices(const DeviceFolders& folders) {
    std::vector<SerialDevice> stable;
    std::error_code error;
    for (fs::directory_iterator it(fs::path(folders.dev) / "serial" / "by-id", error), end;
         !error && it != end; it.increment(error)) {
        const std::string path = it->path().string();
        if (SerialDevicePresent(path, folders.ttyClass)) {
            std::string name = NameFromClass(Canonical(path).filename().string(), folders.ttyClass);
            stable.push_back({path, name.empty() ? NameFromLink(it->path().filename().string()) : name});
        }
    }
    std::sort(stable.begin(), stable.end(),
              [](const SerialDevice& a, const SerialDevice& b) { return a.path < b.path; });

    struct Node {
        std::size_t kind;
        int number;
        SerialDevice device;
    };
    std::vector<Node> nodes;
    error.clear();
    for (fs::directory_iterator it(folders.dev, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        std::size_t kind = 0;
        int number = 0;
        if (ParseNodeName(name, kind, number) && SerialDevicePresent(it->path().string(), folders.ttyClass)) {
            nodes.push_back({kind, number, {it->path().string(), NameFromClass(name, folders.ttyClass)}});
        }
    }
    std::sort(nodes.begin(), nodes.end(), [](const Node& a, const Node& b) {
        return std::tie(a.kind, a.number) < std::tie(b.kind, b.number);
    });
    for (Node& node : nodes) {
        stable.push_back(std::move(node.device));
    }
    return stable;
}

std::string StableDevicePath(const std::string& path, const DeviceFolders& folders) {
    const fs::path byId = fs::path(folders.dev) / "serial" / "by-id";
    const fs::path target = Canonical(path);
    if (target.empty() || fs::path(path).parent_path() == byId) {
        return path;
    }
    std::vector<std::string> links;
    std::error_code error;
    for (fs::directory_iterator it(byId, error), end; !error && it != end; it.increment(error)) {
        if (Canonical(it->path().string()) == target) {
            links.push_back(it->path().string());
        }
    }
    // Two links to one node are unusual; the first in name order is taken
    // so that the choice is the same every time.
    std::sort(links.begin(), links.end());
    return links.empty() ? path : links.front();
}

int BuiltInPortNumber(const std::string& path, const DeviceFolders& folders) {
    const fs::path target = Canonical(path);
    if (target.empty() || target.parent_path() != Canonical(folders.dev)) {
        return 0;
    }
    for (int no = 1; no <= kPortCount; ++no) {
        if (fs::path(PortDevicePath(no)).filename() == target.filename()) {
            return no;
        }
    }
    return 0;
}

}  // namespace kelp
