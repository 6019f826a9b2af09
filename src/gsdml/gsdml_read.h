#pragma once
// The small toolkit every Read_ operation of the device-description model is
// written with: attribute conversion, child lookup, repeated items and the
// reason a required element made a read fail.
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <pugixml.hpp>

namespace zv {

// The integer rule of device descriptions: leading blanks, an optional sign,
// then decimal digits, or hexadecimal after 0x, 0X, x, X or $. A hexadecimal
// value of up to 32 bits keeps its bit pattern (0xFFFFFFFF reads as -1).
// Anything else (empty text, trailing blanks, a fraction, overflow) gives nothing.
std::optional<int32_t> parse_gsdml_int(std::string_view text);
int32_t gsdml_int_or(std::string_view text, int32_t fallback);

namespace gsdml_read {

using Node = pugi::xml_node;

// First child element called `name` (qualified or local name) in the namespace
// of `parent`; a null node when there is none.
Node find_child(Node parent, const char* name);

// Notes why a read failed, for the user; the first note of a decode wins.
// Reads whose results are ignored take their notes back with IgnoredResult.
void note_failure(Node where, const std::string& what);
void clear_failure();
std::string failure();

class IgnoredResult {
public:
    IgnoredResult();
    ~IgnoredResult();
    IgnoredResult(const IgnoredResult&) = delete;
    IgnoredResult& operator=(const IgnoredResult&) = delete;

private:
    std::string saved_;
};

// Reads the attributes of one element into fields. An absent attribute leaves
// the field as the constructor set it; an integer that does not convert takes
// the fallback, except for strict() fields, which fail the read instead.
// The element's attributes are listed once with the first two bytes of their
// names, because an element is asked for many more attributes than it has.
class Attrs {
public:
    explicit Attrs(Node n);

    Attrs& text(const char* name, std::string& field);
    Attrs& view(const char* name, std::string_view& field);  // valid while the document lives
    Attrs& flag(const char* name, bool& field);
    Attrs& real(const char* name, float& field);
    template <class T>
    Attrs& num(const char* name, T& field, int32_t fallback = 0) {
        if (const char* v = value(name)) field = static_cast<T>(gsdml_int_or(v, fallback));
        return *this;
    }
    template <class T>
    Attrs& strict(const char* name, T& field) {
        if (const char* v = value(name)) {
            if (auto x = parse_gsdml_int(v))
                field = static_cast<T>(*x);
            else
                fail(std::string("attribute ") + name + " \"" + v + "\" is not a number");
        }
        return *this;
    }
    bool ok() const { return ok_; }

private:
    struct Present {
        unsigned head;  // first two bytes of the name: most misses end there
        const char* name;
        const char* value;
    };
    static constexpr size_t kListed = 24;

    const char* value(const char* name) const;
    void fail(const std::string& what);
    Node n_;
    Present present_[kListed];
    size_t count_ = 0;
    bool more_ = false;  // attributes beyond the list are looked up in the element
    bool ok_ = true;
};

// A child object the constructor made: absent keeps its defaults (true),
// present returns its read result.
template <class T>
bool child(Node parent, const char* name, T& obj, bool (T::*read)(Node)) {
    Node c = find_child(parent, name);
    return !c || (obj.*read)(c);
}

// The same, but the element must be there.
template <class T>
bool required(Node parent, const char* name, T& obj, bool (T::*read)(Node)) {
    Node c = find_child(parent, name);
    if (!c) {
        note_failure(parent, std::string("required element ") + name + " is missing");
        return false;
    }
    return (obj.*read)(c);
}

// A child object made only when its element is there.
template <class T>
bool child(Node parent, const char* name, std::unique_ptr<T>& obj, bool (T::*read)(Node)) {
    Node c = find_child(parent, name);
    if (!c) return true;
    if (!obj) obj = std::make_unique<T>();
    return (obj.get()->*read)(c);
}

// A required child made only when its element is there.
template <class T>
bool required(Node parent, const char* name, std::unique_ptr<T>& obj, bool (T::*read)(Node)) {
    Node c = find_child(parent, name);
    if (!c) {
        note_failure(parent, std::string("required element ") + name + " is missing");
        return false;
    }
    if (!obj) obj = std::make_unique<T>();
    return (obj.get()->*read)(c);
}

// The TextId (or Value) attribute of a child element such as Name or VendorName.
// optional_attr_of_child leaves the field alone when the child is absent.
void attr_of_child(Node parent, const char* name, const char* attr, std::string& field);
bool required_attr_of_child(Node parent, const char* name, const char* attr, std::string& field);

inline bool is_named(Node n, const char* name) {
    return n.type() == pugi::node_element && std::strcmp(n.name(), name) == 0;
}

// Repeated items in document order: other nodes are passed over; a failed item
// stops the visit, is dropped, and fails the parent. `read` is a Read_ member
// or a callable taking the item and its element.
template <class T, class Read>
bool items(Node parent, const char* name, std::vector<T>& list, Read read) {
    // Counted first: text lists run to thousands of items, and growing the
    // vector step by step would copy them over and over.
    size_t count = 0;
    for (Node c = parent.first_child(); c; c = c.next_sibling()) count += is_named(c, name);
    list.reserve(list.size() + count);
    for (Node c = parent.first_child(); c; c = c.next_sibling()) {
        if (!is_named(c, name)) continue;
        // Read in place: items such as modules are large to move.
        T& item = list.emplace_back();
        if (!std::invoke(read, item, c)) {
            list.pop_back();
            return false;
        }
    }
    return true;
}

}  // namespace gsdml_read
}  // namespace zv
