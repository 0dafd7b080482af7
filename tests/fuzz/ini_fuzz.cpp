// The configuration reader: a configuration text as a whole, read through
// readIniText, through ReadIni on a file, and through the page-set keys.

#include "fuzz_check.h"

#include "config/ini.h"
#include "tutorial/pages.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

using namespace keld;

std::string programFolder() {
    static const std::string folder = [] {
        char pattern[] = "/tmp/keld_ini_fuzz_XXXXXX";
        const char* made = mkdtemp(pattern);
        if (!made) {
            std::abort();
        }
        static std::string path = made;
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(path, ec);
        });
        return path;
    }();
    return folder;
}

constexpr std::array<std::pair<const char*, const char*>, 10> kKeys = {{
    {"Brochure", "TitleBar"},
    {"brochure", "title"},
    {"Brochure", "cover"},
    {"Brochure", "PageCount"},
    {"Calculations", "Output"},
    {"Instructions", "PageCount"},
    {"Instructions", "Page1"},
    {"Brochure", "Pict1"},
    {"", ""},
    {"x", "y"},
}};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const auto& [section, key] : kKeys) {
        const std::string value = readIniText(text, section, key, "0");
        fuzz::check(fuzz::isValidUtf8(value), "readIniText gives UTF-8", value);
        fuzz::check(fuzz::utf8Length(value) <= kIniValueLimit, "at most 254 characters", value);
    }

    const std::string folder = programFolder();
    const std::string config = configPathIn(folder);
    {
        std::ofstream out(config, std::ios::binary | std::ios::trunc);
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
    }
    const std::string fromFile = ReadIni(config, "Brochure", "TitleBar", "0");
    fuzz::check(fromFile == readIniText(text, "Brochure", "TitleBar", "0"),
                "ReadIni reads the file as readIniText reads its text", fromFile);

    for (const char* set : {"Brochure", "Instructions"}) {
        const int count = pageCount(folder, set);
        fuzz::check(count >= -32768 && count <= 32767, "a page count is a 16-bit number");
        for (int page : {1, 2}) {
            const PageEntry entry = pageEntry(folder, set, page);
            fuzz::check(entry.pictureScale == entry.pictureScale, "a picture scale is a number");
        }
    }
    return 0;
}
