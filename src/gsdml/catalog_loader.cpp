#include "gsdml/catalog_loader.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <new>
#include <thread>

#include "text/text_util.h"

namespace zv {
namespace fs = std::filesystem;

namespace {

bool matches_pattern(const std::string& name) {
    std::string up = to_upper_ascii(name);
    return up.size() >= 9 && starts_with(up, "GSDML") && up.compare(up.size() - 4, 4, ".XML") == 0;
}

// Plain file that we may also write: read-only ones are left out, as are links.
bool is_plain_writable_file(const fs::directory_entry& e) {
    std::error_code ec;
    fs::file_status link = e.symlink_status(ec);
    if (ec || fs::is_symlink(link) || !fs::is_regular_file(link)) return false;
    return (link.permissions() & fs::perms::owner_write) != fs::perms::none;
}

std::unique_ptr<TGSDML> decode_or_null(const fs::path& file) {
    try {
        auto g = std::make_unique<TGSDML>();
        if (decode_gsdml_file(*g, file)) return g;
    } catch (...) {
        // Not well-formed, unreadable, out of memory: the file is skipped.
    }
    return nullptr;
}

}  // namespace

std::vector<fs::path> list_catalog_files(const fs::path& folder) {
    std::vector<fs::path> files;
    std::error_code ec;
    fs::directory_iterator it(folder, ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        if (!matches_pattern(it->path().filename().string())) continue;
        if (is_plain_writable_file(*it)) files.push_back(it->path());
    }
    // The listing order of the platform the catalog comes from is by name
    // regardless of case; readdir has no order of its own.
    std::sort(files.begin(), files.end(), [](const fs::path& a, const fs::path& b) {
        std::string ua = to_upper_ascii(a.filename().string()), ub = to_upper_ascii(b.filename().string());
        return ua != ub ? ua < ub : a.filename().string() < b.filename().string();
    });
    return files;
}

CatalogLoadResult Load_Catalog(const fs::path& folder, TPROFINET_Catalog& catalog, unsigned threads) {
    CatalogLoadResult result;
    const std::vector<fs::path> files = list_catalog_files(folder);
    result.files = static_cast<int>(files.size());
    if (threads == 0) threads = std::max(1u, std::thread::hardware_concurrency());
    threads = std::min<unsigned>(threads, static_cast<unsigned>(files.size()));

    auto file_one = [&](std::unique_ptr<TGSDML> g) {
        if (!g) return;
        ++result.decoded;
        try {
            catalog.Insert_in_Catalog(g);
        } catch (const std::bad_alloc&) {
            // Out of memory while filing: this file is left out, the workers go on.
        }
    };

    if (threads <= 1) {
        for (const fs::path& f : files) file_one(decode_or_null(f));
        return result;
    }

    // Workers decode whichever file is next; this thread files them strictly in
    // listing order, so the catalog is the same as with one thread.
    struct Slot {
        std::unique_ptr<TGSDML> model;
        bool done = false;
    };
    std::vector<Slot> slots(files.size());
    std::mutex m;
    std::condition_variable cv;
    std::atomic<size_t> next{0};
    std::vector<std::thread> workers;
    for (unsigned t = 0; t < threads; ++t) {
        workers.emplace_back([&] {
            for (size_t i; (i = next.fetch_add(1)) < files.size();) {
                std::unique_ptr<TGSDML> g = decode_or_null(files[i]);
                std::lock_guard<std::mutex> lock(m);
                slots[i].model = std::move(g);
                slots[i].done = true;
                cv.notify_all();
            }
        });
    }
    for (size_t i = 0; i < files.size(); ++i) {
        std::unique_ptr<TGSDML> g;
        {
            std::unique_lock<std::mutex> lock(m);
            cv.wait(lock, [&] { return slots[i].done; });
            g = std::move(slots[i].model);
        }
        file_one(std::move(g));
    }
    for (std::thread& w : workers) w.join();
    return result;
}

void TPROFINETCatLoad::start(fs::path Catalog_Path, std::shared_ptr<TPROFINET_Catalog> catalog, Hooks hooks,
                             unsigned threads) {
    std::thread([folder = std::move(Catalog_Path), catalog = std::move(catalog), hooks = std::move(hooks), threads] {
        if (hooks.show_indicator) hooks.show_indicator();
        try {
            Load_Catalog(folder, *catalog, threads);
        } catch (...) {
            // Whatever went wrong, the indicator must go away.
        }
        if (hooks.hide_indicator) hooks.hide_indicator();
    }).detach();
}

}  // namespace zv
