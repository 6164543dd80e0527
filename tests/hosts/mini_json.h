#pragma once
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

// Just enough JSON reading for the tests of kzv-sim's answers. A malformed text gives a value
// whose ok is false.
namespace mini_json {

struct Value {
  enum Kind { Null, Bool, Number, String, Array, Object } kind = Null;
  bool ok = true;
  bool boolean = false;
  double number = 0;
  std::string text;
  std::vector<Value> items;
  std::map<std::string, Value> members;

  const Value& operator[](const std::string& key) const {
    static const Value missing = Missing();
    auto it = members.find(key);
    return it == members.end() ? missing : it->second;
  }
  static Value Missing() {
    Value v;
    v.ok = false;
    return v;
  }
  bool Has(const std::string& key) const { return members.count(key) != 0; }
};

class Reader {
 public:
  explicit Reader(const std::string& s) : s_(s) {}
  Value Read() {
    Value v = ReadValue();
    Space();
    if (i_ != s_.size()) v.ok = false;
    if (failed_) v.ok = false;
    return v;
  }

 private:
  void Space() {
    while (i_ < s_.size() && (s_[i_] == ' ' || s_[i_] == '\n' || s_[i_] == '\t' || s_[i_] == '\r')) ++i_;
  }
  bool Eat(char c) {
    Space();
    if (i_ < s_.size() && s_[i_] == c) {
      ++i_;
      return true;
    }
    return false;
  }
  Value Fail() {
    failed_ = true;
    return Value::Missing();
  }
  bool Word(const char* w) {
    size_t n = std::char_traits<char>::length(w);
    if (s_.compare(i_, n, w) != 0) return false;
    i_ += n;
    return true;
  }
  std::string ReadString() {
    std::string out;
    ++i_;  // opening quote
    while (i_ < s_.size() && s_[i_] != '"') {
      char c = s_[i_++];
      if (static_cast<unsigned char>(c) < 0x20) failed_ = true;
      if (c != '\\') {
        out += c;
        continue;
      }
      if (i_ >= s_.size()) break;
      char e = s_[i_++];
      switch (e) {
        case 'n': out += '\n'; break;
        case 't': out += '\t'; break;
        case 'r': out += '\r'; break;
        case 'b': out += '\b'; break;
        case 'f': out += '\f'; break;
        case 'u': {
          unsigned cp = std::strtoul(s_.substr(i_, 4).c_str(), nullptr, 16);
          i_ += 4;
          if (cp < 0x80) {
            out += char(cp);
          } else if (cp < 0x800) {
            out += char(0xC0 | (cp >> 6));
            out += char(0x80 | (cp & 0x3F));
          } else {
            out += char(0xE0 | (cp >> 12));
            out += char(0x80 | ((cp >> 6) & 0x3F));
            out += char(0x80 | (cp & 0x3F));
          }
          break;
        }
        default: out += e;
      }
    }
    if (i_ >= s_.size()) failed_ = true;
    ++i_;  // closing quote
    return out;
  }
  Value ReadValue() {
    Space();
    if (i_ >= s_.size()) return Fail();
    Value v;
    char c = s_[i_];
    if (c == '{') {
      ++i_;
      v.kind = Value::Object;
      if (Eat('}')) return v;
      do {
        Space();
        if (i_ >= s_.size() || s_[i_] != '"') return Fail();
        std::string key = ReadString();
        if (!Eat(':')) return Fail();
        v.members[key] = ReadValue();
      } while (Eat(','));
      if (!Eat('}')) return Fail();
    } else if (c == '[') {
      ++i_;
      v.kind = Value::Array;
      if (Eat(']')) return v;
      do v.items.push_back(ReadValue());
      while (Eat(','));
      if (!Eat(']')) return Fail();
    } else if (c == '"') {
      v.kind = Value::String;
      v.text = ReadString();
    } else if (Word("true")) {
      v.kind = Value::Bool;
      v.boolean = true;
    } else if (Word("false")) {
      v.kind = Value::Bool;
    } else if (Word("null")) {
    } else {
      char* end = nullptr;
      v.kind = Value::Number;
      v.number = std::strtod(s_.c_str() + i_, &end);
      if (end == s_.c_str() + i_) return Fail();
      i_ = size_t(end - s_.c_str());
    }
    return v;
  }

  const std::string& s_;
  size_t i_ = 0;
  bool failed_ = false;
};

inline Value Parse(const std::string& s) { return Reader(s).Read(); }

}  // namespace mini_json
