#include "text/file_io.h"

#include <fstream>
#include <random>
#include <system_error>

#include "text/error.h"

namespace zv {
namespace fs = std::filesystem;

bool file_exists(const fs::path& file) {
    std::error_code ec;
    return !file.empty() && fs::exists(file, ec);
}

std::string read_file(const fs::path& file) {
    std::ifstream in(file, std::ios::binary | std::ios::ate);
    if (!in) throw Error("Cannot open the file " + file.string());
    // One read of the whole size: catalogs hold files of several MB.
    const std::streamoff size = in.tellg();
    std::string bytes;
    if (size > 0) {
        bytes.resize(static_cast<size_t>(size));
        in.seekg(0);
        in.read(bytes.data(), size);
        bytes.resize(static_cast<size_t>(in.gcount()));
        in.clear(in.rdstate() & ~(std::ios::eofbit | std::ios::failbit));
    }
    // Whatever follows (a file that grew, or one without a size) is read on.
    bytes.append(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) throw Error("Cannot read the file " + file.string());
    return bytes;
}

namespace {

fs::path temp_name(const fs::path& file) {
    static thread_local std::mt19937_64 rng{std::random_device{}()};
    return file.parent_path() / ("." + file.filename().string() + ".tmp" + std::to_string(rng() % 1000000000));
}

fs::path write_temp(const fs::path& file, std::string_view bytes) {
    fs::path tmp = temp_name(file);
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        if (out) out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (out) out.flush();
        if (!out) {
            std::error_code ec;
            fs::remove(tmp, ec);
            throw Error("Cannot write the file " + file.string());
        }
    }
    return tmp;
}

void rename_into_place(const fs::path& tmp, const fs::path& file) {
    std::error_code ec;
    fs::rename(tmp, file, ec);
    if (ec) {
        fs::remove(tmp, ec);
        throw Error("Cannot write the file " + file.string());
    }
}

}  // namespace

void write_file_atomic(const fs::path& file, std::string_view bytes) {
    rename_into_place(write_temp(file, bytes), file);
}

void write_files_atomic(const std::vector<std::pair<fs::path, std::string>>& files) {
    // A folder in a target's place would refuse its rename after others were done.
    for (const auto& f : files) {
        std::error_code ec;
        if (fs::is_directory(f.first, ec)) throw Error("Cannot write the file " + f.first.string() + ": it is a folder");
    }
    std::vector<fs::path> temps;
    try {
        for (const auto& [file, bytes] : files) temps.push_back(write_temp(file, bytes));
    } catch (...) {
        std::error_code ec;
        for (const auto& t : temps) fs::remove(t, ec);
        throw;
    }
    for (size_t i = 0; i < files.size(); ++i) {
        try {
            rename_into_place(temps[i], files[i].first);
        } catch (...) {
            // No stray temporary files beside the targets that were not replaced.
            std::error_code ec;
            for (size_t k = i + 1; k < temps.size(); ++k) fs::remove(temps[k], ec);
            throw;
        }
    }
}

}  // namespace zv
