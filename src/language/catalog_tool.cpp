// kzv-catalog: keeps the message catalogs in step with the texts the sources mark.
//
//   kzv-catalog pot POT SOURCE...             writes the template POT from the marked texts
//   kzv-catalog table OUT.cpp POT PO... -- SOURCE...
//                                              checks that POT holds exactly the marked texts
//                                              and that every PO translates each of them, then
//                                              writes the compiled-in table of every PO
//
// A marked text is the string literal in a call of Tr, TrFormat or TrMark in a C++ source, and
// the third column (the line as written) of a tab-separated table. Paths are taken as given
// and named so in the template; run it from the project's folder.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Message {
  std::string id;
  std::vector<std::string> files;
};

[[noreturn]] void Fail(const std::string& why) {
  std::fprintf(stderr, "kzv-catalog: %s\n", why.c_str());
  std::exit(1);
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) Fail("cannot read " + path);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The literal starting at text[at] (just after its opening quote), unescaped.
std::string Literal(const std::string& text, size_t at, const std::string& where) {
  std::string out;
  for (size_t i = at; i < text.size(); ++i) {
    if (text[i] == '"') return out;
    if (text[i] == '\n') break;
    if (text[i] == '\\' && i + 1 < text.size()) {
      const char c = text[++i];
      out += c == 'n' ? '\n' : c == 't' ? '\t' : c;
    } else {
      out += text[i];
    }
  }
  Fail(where + ": a marked text that does not end on its line");
}

void AddMessage(std::vector<Message>& messages, const std::string& id, const std::string& file) {
  for (Message& m : messages) {
    if (m.id != id) continue;
    if (std::find(m.files.begin(), m.files.end(), file) == m.files.end()) m.files.push_back(file);
    return;
  }
  messages.push_back({id, {file}});
}

void ExtractSource(std::vector<Message>& messages, const std::string& path) {
  const std::string text = ReadFile(path);
  for (const char* call : {"Tr(\"", "TrFormat(\"", "TrMark(\""}) {
    const std::string needle = call;
    for (size_t at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1)) {
      const char before = at == 0 ? ' ' : text[at - 1];
      if (std::isalnum(static_cast<unsigned char>(before)) || before == '_') continue;
      AddMessage(messages, Literal(text, at + needle.size(), path), path);
    }
  }
}

void ExtractTable(std::vector<Message>& messages, const std::string& path) {
  std::istringstream lines(ReadFile(path));
  for (std::string line; std::getline(lines, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> columns;
    std::stringstream fields(line);
    for (std::string field; std::getline(fields, field, '\t');) columns.push_back(field);
    if (columns.size() < 3) Fail(path + ": a line with fewer than three columns: " + line);
    AddMessage(messages, columns[2], path);
  }
}

std::vector<Message> Extract(const std::vector<std::string>& sources) {
  std::vector<Message> messages;
  for (const std::string& path : sources) {
    if (path.size() > 4 && path.substr(path.size() - 4) == ".tsv")
      ExtractTable(messages, path);
    else
      ExtractSource(messages, path);
  }
  return messages;
}

std::string Quoted(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') out += '\\';
    if (c == '\n') {
      out += "\\n";
      continue;
    }
    out += c;
  }
  return out + "\"";
}

std::string Template(const std::vector<Message>& messages) {
  std::string out =
      "# K.Z.V's texts, keyed by the Japanese text the game shows. Made by kzv-catalog\n"
      "# (cmake --build build --target kzv-pot); do not edit. Each language is po/<code>.po.\n"
      "msgid \"\"\nmsgstr \"\"\n\"Project-Id-Version: K.Z.V\\n\"\n\"MIME-Version: 1.0\\n\"\n"
      "\"Content-Type: text/plain; charset=UTF-8\\n\"\n\"Content-Transfer-Encoding: 8bit\\n\"\n";
  for (const Message& m : messages) {
    out += "\n#:";
    for (const std::string& f : m.files) out += " " + f;
    out += "\n";
    if (m.id.find("%s") != std::string::npos) out += "#, c-format\n";
    out += "msgid " + Quoted(m.id) + "\nmsgstr \"\"\n";
  }
  return out;
}

struct PoEntry {
  std::string id, text;
  bool fuzzy = false;
};

// The entries of a PO file (the header, with its empty msgid, left out).
std::vector<PoEntry> ReadPo(const std::string& path) {
  std::istringstream lines(ReadFile(path));
  std::vector<PoEntry> entries;
  PoEntry entry;
  std::string* open = nullptr;
  bool fuzzy = false;
  int number = 0;
  auto finish = [&] {
    if (!entry.id.empty()) entries.push_back(entry);
    entry = {};
    open = nullptr;
  };
  auto quoted = [&](const std::string& line, size_t at) {
    const size_t first = line.find('"', at);
    if (first == std::string::npos) Fail(path + ":" + std::to_string(number) + ": a text without quotes");
    return Literal(line, first + 1, path + ":" + std::to_string(number));
  };
  for (std::string line; std::getline(lines, line);) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.rfind("#,", 0) == 0 && line.find("fuzzy") != std::string::npos) fuzzy = true;
    if (line.empty() || line[0] == '#') continue;
    if (line.rfind("msgid ", 0) == 0) {
      finish();
      entry.fuzzy = fuzzy;
      fuzzy = false;
      entry.id = quoted(line, 5);
      open = &entry.id;
    } else if (line.rfind("msgstr ", 0) == 0) {
      entry.text = quoted(line, 6);
      open = &entry.text;
    } else if (line[0] == '"' && open) {
      *open += quoted(line, 0);
    } else {
      Fail(path + ":" + std::to_string(number) + ": not a line of a PO file: " + line);
    }
  }
  finish();
  return entries;
}

std::string CodeOf(const std::string& poPath) { return std::filesystem::path(poPath).stem().string(); }

std::string CppString(const std::string& text) {
  std::string out = "\"";
  for (unsigned char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += char(c);
    } else if (c < 0x20 || c >= 0x80) {
      char octal[8];
      std::snprintf(octal, sizeof octal, "\\%03o", c);
      out += octal;
    } else {
      out += char(c);
    }
  }
  return out + "\"";
}

std::string Table(const std::vector<Message>& messages, const std::vector<std::string>& pos) {
  std::string out = "// Made by kzv-catalog from po/*.po; do not edit.\n#include \"language/catalog.h\"\n\nnamespace {\n";
  std::string languages;
  for (const std::string& po : pos) {
    std::map<std::string, PoEntry> byId;
    for (const PoEntry& e : ReadPo(po)) byId[e.id] = e;
    std::vector<std::string> missing;
    std::map<std::string, std::string> sorted;
    for (const Message& m : messages) {
      auto found = byId.find(m.id);
      if (found == byId.end() || found->second.text.empty() || found->second.fuzzy)
        missing.push_back(m.id);
      else
        sorted[m.id] = found->second.text;
    }
    if (!missing.empty()) {
      std::string list;
      for (const std::string& id : missing) list += "\n  " + id;
      Fail(po + " has no finished translation of " + std::to_string(missing.size()) + " text(s):" + list);
    }
    const std::string code = CodeOf(po);
    out += "const CatalogEntry k_" + code + "[] = {\n";
    for (const auto& [id, text] : sorted) out += "    {" + CppString(id) + ", " + CppString(text) + "},\n";
    out += "};\n";
    languages += "    {\"" + code + "\", k_" + code + ", " + std::to_string(sorted.size()) + "},\n";
  }
  out += "}  // namespace\n\nconst CatalogLanguage kCatalogLanguages[] = {\n" + languages + "};\n";
  out += "const std::size_t kCatalogLanguageCount = " + std::to_string(pos.size()) + ";\n";
  return out;
}

void Write(const std::string& path, const std::string& text) {
  if (std::ifstream in(path, std::ios::binary); in) {
    std::ostringstream old;
    old << in.rdbuf();
    if (old.str() == text) return;  // unchanged: nothing that depends on it builds again
  }
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
  if (!out) Fail("cannot write " + path);
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() >= 2 && args[0] == "pot") {
    Write(args[1], Template(Extract({args.begin() + 2, args.end()})));
    return 0;
  }
  auto dashes = std::find(args.begin(), args.end(), "--");
  if (args.size() < 3 || args[0] != "table" || dashes == args.end()) {
    std::fprintf(stderr, "usage: kzv-catalog pot POT SOURCE...\n"
                         "       kzv-catalog table OUT.cpp POT PO... -- SOURCE...\n");
    return 2;
  }
  const std::vector<Message> messages = Extract({dashes + 1, args.end()});
  if (ReadFile(args[2]) != Template(messages))
    Fail(args[2] + " is not the template of the texts the sources mark: make it again with "
                   "`cmake --build build --target kzv-pot` and bring every po/*.po up to it");
  Write(args[1], Table(messages, {args.begin() + 3, dashes}));
  return 0;
}
