#include "lsp/json_reader.h"

#include <utility>
#include <vector>

namespace brindle::lsp {
namespace {

// The parser's events build the tree, as the library's own builder does, counting as they go:
// a message past a limit is refused at that point, before anything more is made of it.
class TreeBuilder {
 public:
  explicit TreeBuilder(Json& root) : root_(root) {}

  bool null() { return Add(nullptr); }
  bool boolean(bool value) { return Add(value); }
  bool number_integer(Json::number_integer_t value) { return Add(value); }
  bool number_unsigned(Json::number_unsigned_t value) { return Add(value); }
  bool number_float(Json::number_float_t value, const Json::string_t&) { return Add(value); }
  bool string(Json::string_t& value) { return Add(std::move(value)); }
  bool binary(Json::binary_t&) { return Refuse("invalid JSON"); }  // not in JSON text
  bool start_object(std::size_t) { return Open(Json::object()); }
  bool start_array(std::size_t) { return Open(Json::array()); }
  bool end_object() { return Close(); }
  bool end_array() { return Close(); }
  bool key(Json::string_t& name) {
    if (!Count()) return false;
    member_ = &(*open_.back())[std::move(name)];
    return true;
  }
  bool parse_error(std::size_t, const std::string&, const Json::exception&) {
    return Refuse("invalid JSON");
  }

  const std::string& problem() const { return problem_; }

 private:
  bool Refuse(std::string problem) {
    if (problem_.empty()) problem_ = std::move(problem);
    return false;
  }

  bool Count() {
    if (++values_ <= kMaxJsonValues) return true;
    return Refuse("a message of more than " + std::to_string(kMaxJsonValues) + " values");
  }

  // Where the next value goes: the root, the end of the open array, or the member just named.
  Json* Place(Json value) {
    if (open_.empty()) {
      root_ = std::move(value);
      return &root_;
    }
    Json& parent = *open_.back();
    if (parent.is_array()) {
      parent.push_back(std::move(value));
      return &parent.back();
    }
    *member_ = std::move(value);
    return member_;
  }

  bool Add(Json value) {
    if (!Count()) return false;
    Place(std::move(value));
    return true;
  }

  bool Open(Json container) {
    if (!Count()) return false;
    if (open_.size() == kMaxJsonDepth) {
      return Refuse("a message nested deeper than " + std::to_string(kMaxJsonDepth) + " levels");
    }
    open_.push_back(Place(std::move(container)));
    return true;
  }

  bool Close() {
    open_.pop_back();
    return true;
  }

  Json& root_;
  std::vector<Json*> open_;  // the arrays and objects being read, innermost last
  Json* member_ = nullptr;
  size_t values_ = 0;
  std::string problem_;
};

}  // namespace

std::string ReadJson(std::string_view body, Json& into) {
  TreeBuilder builder(into);
  if (Json::sax_parse(body.begin(), body.end(), &builder)) return "";
  return builder.problem().empty() ? "invalid JSON" : builder.problem();
}

}  // namespace brindle::lsp
