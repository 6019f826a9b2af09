#include "gsdml/gsdml_read.h"

#include <charconv>

#include "text/text_util.h"

namespace zv {

std::optional<int32_t> parse_gsdml_int(std::string_view s) {
    size_t i = 0;
    while (i < s.size() && s[i] == ' ') ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    bool hex = false;
    if (i < s.size() && (s[i] == '$' || s[i] == 'x' || s[i] == 'X')) {
        hex = true;
        ++i;
    } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    if (i == s.size()) return std::nullopt;
    uint64_t v = 0;
    for (; i < s.size(); ++i) {
        char c = s[i];
        unsigned d;
        if (c >= '0' && c <= '9')
            d = static_cast<unsigned>(c - '0');
        else if (hex && c >= 'a' && c <= 'f')
            d = static_cast<unsigned>(c - 'a' + 10);
        else if (hex && c >= 'A' && c <= 'F')
            d = static_cast<unsigned>(c - 'A' + 10);
        else
            return std::nullopt;
        v = v * (hex ? 16 : 10) + d;
        if (v > 0xFFFFFFFFull) return std::nullopt;
    }
    if (hex) {
        // The bit pattern counts: identifiers with the top bit set stay intact.
        auto pattern = static_cast<uint32_t>(v);
        if (negative) pattern = 0u - pattern;
        return static_cast<int32_t>(pattern);
    }
    if (negative) {
        if (v > 0x80000000ull) return std::nullopt;
        return static_cast<int32_t>(-static_cast<int64_t>(v));
    }
    if (v > 0x7FFFFFFFull) return std::nullopt;
    return static_cast<int32_t>(v);
}

int32_t gsdml_int_or(std::string_view text, int32_t fallback) { return parse_gsdml_int(text).value_or(fallback); }

namespace gsdml_read {
namespace {

// Each decode runs on one thread and keeps its failure note to itself.
thread_local std::string t_failure;

std::string_view prefix_of(const char* qname) {
    const char* colon = std::strchr(qname, ':');
    return colon ? std::string_view(qname, static_cast<size_t>(colon - qname)) : std::string_view();
}

const char* local_of(const char* qname) {
    const char* colon = std::strchr(qname, ':');
    return colon ? colon + 1 : qname;
}

// The namespace a prefix stands for at element n (the default one for "").
std::string_view namespace_of(Node n, std::string_view prefix) {
    std::string attr = prefix.empty() ? std::string("xmlns") : "xmlns:" + std::string(prefix);
    for (Node e = n; e && e.type() == pugi::node_element; e = e.parent())
        if (pugi::xml_attribute a = e.attribute(attr.c_str())) return a.value();
    return {};
}

bool declares_namespace(Node n) {
    for (pugi::xml_attribute a = n.first_attribute(); a; a = a.next_attribute())
        if (std::strncmp(a.name(), "xmlns", 5) == 0) return true;
    return false;
}

bool same_namespace(Node parent, Node c) {
    if (parent.type() != pugi::node_element) return true;  // children of the document
    std::string_view pp = prefix_of(parent.name()), cp = prefix_of(c.name());
    if (pp == cp && !declares_namespace(c)) return true;
    return namespace_of(parent, pp) == namespace_of(c, cp);
}

std::string path_of(Node n) {
    std::string path;
    for (Node e = n; e && e.type() == pugi::node_element; e = e.parent()) {
        std::string part = e.name();
        if (const char* id = e.attribute("ID").as_string(nullptr)) part += "[ID=\"" + std::string(id) + "\"]";
        path = path.empty() ? part : part + "/" + path;
    }
    return path;
}

}  // namespace

Node find_child(Node parent, const char* name) {
    for (Node c = parent.first_child(); c; c = c.next_sibling()) {
        if (c.type() != pugi::node_element) continue;
        const char* q = c.name();
        if (std::strcmp(q, name) == 0 || std::strcmp(local_of(q), name) == 0) {
            if (same_namespace(parent, c)) return c;
        }
    }
    return {};
}

void note_failure(Node where, const std::string& what) {
    if (!t_failure.empty()) return;
    std::string path = path_of(where);
    t_failure = path.empty() ? what : path + ": " + what;
}

void clear_failure() { t_failure.clear(); }
std::string failure() { return t_failure; }

IgnoredResult::IgnoredResult() : saved_(t_failure) {}
IgnoredResult::~IgnoredResult() { t_failure = saved_; }

namespace {
// A name has at least its terminating zero, so its second byte can be read.
unsigned head_of(const char* name) {
    auto b = reinterpret_cast<const unsigned char*>(name);
    return b[0] ? (b[0] | (b[1] << 8u)) : 0u;
}
}  // namespace

Attrs::Attrs(Node n) : n_(n) {
    for (pugi::xml_attribute a = n.first_attribute(); a; a = a.next_attribute()) {
        if (count_ == kListed) {
            more_ = true;
            break;
        }
        const char* name = a.name();
        present_[count_++] = {head_of(name), name, a.value()};
    }
}

const char* Attrs::value(const char* name) const {
    const unsigned head = head_of(name);
    for (size_t i = 0; i < count_; ++i)
        if (present_[i].head == head && std::strcmp(present_[i].name, name) == 0) return present_[i].value;
    if (!more_) return nullptr;
    pugi::xml_attribute a = n_.attribute(name);
    return a ? a.value() : nullptr;
}

void Attrs::fail(const std::string& what) {
    ok_ = false;
    note_failure(n_, what);
}

Attrs& Attrs::text(const char* name, std::string& field) {
    if (const char* v = value(name)) field = v;
    return *this;
}

Attrs& Attrs::view(const char* name, std::string_view& field) {
    if (const char* v = value(name)) field = v;
    return *this;
}

Attrs& Attrs::flag(const char* name, bool& field) {
    if (const char* v = value(name)) field = Is_TRUE(v);
    return *this;
}

Attrs& Attrs::real(const char* name, float& field) {
    if (const char* v = value(name)) {
        std::string_view s(v);
        float f = 0;
        auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), f);
        field = (ec == std::errc() && p == s.data() + s.size()) ? f : 0.0f;
    }
    return *this;
}

void attr_of_child(Node parent, const char* name, const char* attr, std::string& field) {
    if (Node c = find_child(parent, name)) field = c.attribute(attr).value();
}

bool required_attr_of_child(Node parent, const char* name, const char* attr, std::string& field) {
    Node c = find_child(parent, name);
    if (!c) {
        note_failure(parent, std::string("required element ") + name + " is missing");
        return false;
    }
    field = c.attribute(attr).value();
    return true;
}

}  // namespace gsdml_read
}  // namespace zv
