#include "IniText.h"

namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

char16_t FoldChar(char16_t c) { return (c >= u'A' && c <= u'Z') ? c + 32 : c; }

std::u16string_view Trim(std::u16string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

bool IsQuote(char16_t c) { return c == u'"' || c == u'\''; }

// Fills in the entry fields of a line.
void ClassifyLine(TIniLine& line) {
  const size_t eq = line.text.find(u'=');
  line.equals = eq;
  if (eq == std::u16string::npos) return;
  size_t b = 0, e = eq;
  while (b < e && IsBlank(line.text[b])) ++b;
  while (e > b && IsBlank(line.text[e - 1])) --e;
  line.nameBegin = b;
  line.nameEnd = e;
}

// A section header "[name]": the name, or nullopt for any other line.
std::optional<std::u16string_view> HeaderName(std::u16string_view line) {
  line = Trim(line);
  if (line.empty() || line.front() != u'[') return std::nullopt;
  line.remove_prefix(1);
  const size_t close = line.find(u']');
  if (close != std::u16string_view::npos) line = line.substr(0, close);
  return Trim(line);
}

std::u16string EncodeValue(std::u16string_view value) {
  std::u16string v(value);
  // A line holds one entry: line breaks in a value cannot be kept.
  for (auto& c : v) {
    if (c == u'\r' || c == u'\n') c = u' ';
  }
  const bool needsQuotes =
      !v.empty() && (IsBlank(v.front()) || IsBlank(v.back()) ||
                     (v.size() >= 2 && IsQuote(v.front()) && v.back() == v.front()));
  if (needsQuotes) return u"\"" + v + u"\"";
  return v;
}

void AppendLineEnd(std::u16string& out, TLineEnd end) {
  switch (end) {
    case TLineEnd::CrLf:
      out += u"\r\n";
      break;
    case TLineEnd::Lf:
      out += u'\n';
      break;
    case TLineEnd::Cr:
      out += u'\r';
      break;
    case TLineEnd::None:
      break;
  }
}

}  // namespace

bool NamesEqual(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (FoldChar(a[i]) != FoldChar(b[i])) return false;
  }
  return true;
}

std::u16string FoldName(std::u16string_view name) {
  std::u16string folded(name);
  for (auto& c : folded) c = FoldChar(c);
  return folded;
}

std::u16string_view TIniLine::Value() const {
  if (!IsEntry()) return {};
  std::u16string_view v = Trim(std::u16string_view(text).substr(equals + 1));
  if (v.size() >= 2 && IsQuote(v.front()) && v.back() == v.front()) {
    v = v.substr(1, v.size() - 2);
  }
  return v;
}

std::optional<int32_t> ParseIniInteger(std::u16string_view s) {
  s = Trim(s);
  bool negative = false;
  if (!s.empty() && (s.front() == u'-' || s.front() == u'+')) {
    negative = s.front() == u'-';
    s.remove_prefix(1);
  }
  if (s.empty()) return std::nullopt;
  int64_t value = 0;
  if (s.size() > 2 && s[0] == u'0' && (s[1] == u'x' || s[1] == u'X')) {
    s.remove_prefix(2);
    if (s.size() > 8) return std::nullopt;
    for (char16_t c : s) {
      int d;
      if (c >= u'0' && c <= u'9')
        d = c - u'0';
      else if (c >= u'a' && c <= u'f')
        d = c - u'a' + 10;
      else if (c >= u'A' && c <= u'F')
        d = c - u'A' + 10;
      else
        return std::nullopt;
      value = value * 16 + d;
    }
    // Eight hexadecimal digits give the whole 32 bits, as the sign bit too.
    const auto bits = static_cast<uint32_t>(value);
    const int32_t result = static_cast<int32_t>(bits);
    return negative ? static_cast<int32_t>(0u - bits) : result;
  }
  for (char16_t c : s) {
    if (c < u'0' || c > u'9') return std::nullopt;
    value = value * 10 + (c - u'0');
    if (value > 2147483648LL) return std::nullopt;
  }
  if (negative) value = -value;
  if (value > INT32_MAX || value < INT32_MIN) return std::nullopt;
  return static_cast<int32_t>(value);
}

TIniText TIniText::Parse(std::string_view bytes) {
  TIniText ini;
  TDecodedText decoded = DecodeText(bytes);
  ini.encoding_ = decoded.encoding;
  const std::u16string& text = decoded.text;

  ini.sections_.emplace_back();  // the lines before the first section
  size_t pos = 0;
  int number = 0;
  while (pos < text.size()) {
    size_t stop = pos;
    while (stop < text.size() && text[stop] != u'\r' && text[stop] != u'\n') ++stop;
    TIniLine line;
    line.text.assign(text, pos, stop - pos);
    line.number = ++number;
    if (stop == text.size()) {
      line.end = TLineEnd::None;
      pos = stop;
    } else if (text[stop] == u'\r' && stop + 1 < text.size() && text[stop + 1] == u'\n') {
      line.end = TLineEnd::CrLf;
      pos = stop + 2;
    } else {
      line.end = text[stop] == u'\r' ? TLineEnd::Cr : TLineEnd::Lf;
      pos = stop + 1;
    }
    if (auto name = HeaderName(line.text)) {
      TIniSection section;
      section.hasHeader = true;
      section.name = std::u16string(*name);
      section.header = std::move(line);
      ini.sections_.push_back(std::move(section));
    } else {
      ClassifyLine(line);
      ini.sections_.back().lines.push_back(std::move(line));
    }
  }
  ini.Reindex();
  return ini;
}

void TIniText::Reindex() {
  index_.clear();
  for (size_t i = 0; i < sections_.size(); ++i) {
    if (sections_[i].hasHeader) index_.emplace(FoldName(sections_[i].name), i);
  }
}

TTextEncoding TIniText::EncodingToWrite() const {
  if (encoding_ != TTextEncoding::Windows1252) return encoding_;
  for (const auto& section : sections_) {
    if (!FitsWindows1252(section.header.text)) return TTextEncoding::Utf16LeBom;
    for (const auto& line : section.lines) {
      if (!FitsWindows1252(line.text)) return TTextEncoding::Utf16LeBom;
    }
  }
  return TTextEncoding::Windows1252;
}

std::string TIniText::Serialize() const {
  std::u16string text;
  size_t size = 0;
  for (const auto& section : sections_) {
    size += section.header.text.size() + 2;
    for (const auto& line : section.lines) size += line.text.size() + 2;
  }
  text.reserve(size);
  for (const auto& section : sections_) {
    if (section.hasHeader) {
      text += section.header.text;
      AppendLineEnd(text, section.header.end);
    }
    for (const auto& line : section.lines) {
      text += line.text;
      AppendLineEnd(text, line.end);
    }
  }
  return EncodeText(text, EncodingToWrite());
}

std::vector<std::u16string> TIniText::SectionNames() const {
  std::vector<std::u16string> names;
  for (size_t i = 0; i < sections_.size(); ++i) {
    if (!sections_[i].hasHeader) continue;
    auto it = index_.find(FoldName(sections_[i].name));
    if (it != index_.end() && it->second == i) names.push_back(sections_[i].name);
  }
  return names;
}

const TIniSection* TIniText::FindSection(std::u16string_view section) const {
  auto it = index_.find(FoldName(section));
  return it == index_.end() ? nullptr : &sections_[it->second];
}

bool TIniText::HasSection(std::u16string_view section) const {
  return FindSection(section) != nullptr;
}

const TIniLine* TIniText::FindEntry(std::u16string_view section, std::u16string_view key) const {
  const TIniSection* s = FindSection(section);
  if (s == nullptr) return nullptr;
  for (const auto& line : s->lines) {
    if (line.IsEntry() && NamesEqual(line.Name(), key)) return &line;
  }
  return nullptr;
}

std::optional<std::u16string_view> TIniText::Value(std::u16string_view section,
                                                   std::u16string_view key) const {
  const TIniLine* line = FindEntry(section, key);
  if (line == nullptr) return std::nullopt;
  return line->Value();
}

TIniSection& TIniText::AddSection(std::u16string_view section) {
  // The last line of the text may lack its line end; the new lines follow it.
  for (auto it = sections_.rbegin(); it != sections_.rend(); ++it) {
    if (!it->lines.empty()) {
      if (it->lines.back().end == TLineEnd::None) it->lines.back().end = TLineEnd::CrLf;
      break;
    }
    if (it->hasHeader) {
      if (it->header.end == TLineEnd::None) it->header.end = TLineEnd::CrLf;
      break;
    }
  }
  TIniSection added;
  added.hasHeader = true;
  added.name = std::u16string(section);
  added.header.text = u"[" + added.name + u"]";
  sections_.push_back(std::move(added));
  index_.emplace(FoldName(section), sections_.size() - 1);
  return sections_.back();
}

void TIniText::SetValue(std::u16string_view section, std::u16string_view key,
                        std::u16string_view value) {
  const TIniSection* found = FindSection(section);
  TIniSection& s = found ? const_cast<TIniSection&>(*found) : AddSection(section);
  for (auto& line : s.lines) {
    if (!line.IsEntry() || !NamesEqual(line.Name(), key)) continue;
    if (line.Value() == value) return;  // the line already says so: keep it as written
    std::u16string text(line.Name());
    text += u'=';
    text += EncodeValue(value);
    line.text = std::move(text);
    ClassifyLine(line);
    return;
  }
  // At the end of the section, before any blank lines that close it.
  size_t at = s.lines.size();
  while (at > 0 && Trim(s.lines[at - 1].text).empty()) --at;
  TIniLine* before = at > 0 ? &s.lines[at - 1] : &s.header;
  if (before->end == TLineEnd::None) before->end = TLineEnd::CrLf;
  TIniLine line;
  line.text = std::u16string(key) + u"=" + EncodeValue(value);
  ClassifyLine(line);
  s.lines.insert(s.lines.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
}
