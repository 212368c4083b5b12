#include "cli/job/Manifest.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <optional>

namespace tessaly::cli {

namespace {

using Fields = std::vector<std::pair<std::string, std::string>>;

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

bool EndsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

// Reads one line of at most kMaxManifestLineBytes bytes (without its end).
// A longer line is read to its end and dropped; `tooLong` tells. False at
// the end of input.
bool ReadLine(std::istream& in, std::string& line, bool& tooLong) {
    line.clear();
    tooLong = false;
    std::streambuf* buffer = in.rdbuf();
    if (!buffer) return false;
    int c = buffer->sbumpc();
    if (c == std::char_traits<char>::eof()) return false;
    while (c != std::char_traits<char>::eof() && c != '\n') {
        if (line.size() < kMaxManifestLineBytes)
            line += static_cast<char>(c);
        else
            tooLong = true;
        c = buffer->sbumpc();
    }
    if (tooLong) line.clear();
    return true;
}

bool Blank(const std::string& line) {
    return std::all_of(line.begin(), line.end(),
                       [](unsigned char c) { return c == ' ' || c == '\t' || c == '\r'; });
}

class JsonLineParser {
  public:
    explicit JsonLineParser(const std::string& text) : s_(text) {}

    Fields Object() {
        Fields fields;
        Space();
        Expect('{');
        Space();
        if (Peek() == '}') {
            ++i_;
        } else {
            for (;;) {
                Space();
                if (Peek() != '"') throw std::runtime_error("expected a key in quotes" + Where());
                std::string key = String();
                Space();
                Expect(':');
                Space();
                std::optional<std::string> value = Value(key);
                if (value) fields.emplace_back(std::move(key), std::move(*value));
                Space();
                if (Peek() == ',') {
                    ++i_;
                    continue;
                }
                Expect('}');
                break;
            }
        }
        Space();
        if (i_ != s_.size()) throw std::runtime_error("text after the object" + Where());
        return fields;
    }

  private:
    char Peek() const { return i_ < s_.size() ? s_[i_] : '\0'; }
    std::string Where() const { return " at column " + std::to_string(i_ + 1); }
    void Space() {
        while (i_ < s_.size() && (s_[i_] == ' ' || s_[i_] == '\t' || s_[i_] == '\r')) ++i_;
    }
    void Expect(char c) {
        if (Peek() != c) throw std::runtime_error(std::string("expected '") + c + "'" + Where());
        ++i_;
    }

    std::optional<std::string> Value(const std::string& key) {
        const char c = Peek();
        if (c == '"') return String();
        if (c == '-' || (c >= '0' && c <= '9')) return Number();
        for (const char* word : {"true", "false", "null"}) {
            const std::size_t n = std::char_traits<char>::length(word);
            if (s_.compare(i_, n, word) == 0) {
                i_ += n;
                if (word[0] == 'n') return std::nullopt;
                return std::string(word);
            }
        }
        throw std::runtime_error("the value of \"" + key +
                                 "\" must be a string, a number, true, false or null" + Where());
    }

    std::string Number() {
        const std::size_t start = i_;
        if (Peek() == '-') ++i_;
        auto digits = [&] {
            const std::size_t from = i_;
            while (i_ < s_.size() && s_[i_] >= '0' && s_[i_] <= '9') ++i_;
            if (i_ == from) throw std::runtime_error("a malformed number" + Where());
        };
        digits();
        if (Peek() == '.') {
            ++i_;
            digits();
        }
        if (Peek() == 'e' || Peek() == 'E') {
            ++i_;
            if (Peek() == '+' || Peek() == '-') ++i_;
            digits();
        }
        return s_.substr(start, i_ - start);
    }

    static void PutUtf8(std::string& out, std::uint32_t cp) {
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }

    std::uint32_t Hex4() {
        if (i_ + 4 > s_.size()) throw std::runtime_error("a short \\u escape" + Where());
        std::uint32_t v = 0;
        for (int k = 0; k < 4; ++k) {
            const char c = s_[i_++];
            v <<= 4;
            if (c >= '0' && c <= '9')
                v |= static_cast<std::uint32_t>(c - '0');
            else if (c >= 'a' && c <= 'f')
                v |= static_cast<std::uint32_t>(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F')
                v |= static_cast<std::uint32_t>(c - 'A' + 10);
            else
                throw std::runtime_error("a malformed \\u escape" + Where());
        }
        return v;
    }

    std::string String() {
        Expect('"');
        std::string out;
        for (;;) {
            if (i_ >= s_.size()) throw std::runtime_error("a string does not end");
            const char c = s_[i_++];
            if (c == '"') return out;
            if (static_cast<unsigned char>(c) < 0x20)
                throw std::runtime_error("a control character in a string" + Where());
            if (c != '\\') {
                out += c;
                continue;
            }
            const char e = Peek();
            ++i_;
            switch (e) {
                case '"':
                    out += '"';
                    break;
                case '\\':
                    out += '\\';
                    break;
                case '/':
                    out += '/';
                    break;
                case 'b':
                    out += '\b';
                    break;
                case 'f':
                    out += '\f';
                    break;
                case 'n':
                    out += '\n';
                    break;
                case 'r':
                    out += '\r';
                    break;
                case 't':
                    out += '\t';
                    break;
                case 'u': {
                    std::uint32_t cp = Hex4();
                    if (cp >= 0xD800 && cp < 0xDC00) {
                        if (s_.compare(i_, 2, "\\u") != 0)
                            throw std::runtime_error("an unpaired surrogate" + Where());
                        i_ += 2;
                        const std::uint32_t low = Hex4();
                        if (low < 0xDC00 || low >= 0xE000)
                            throw std::runtime_error("an unpaired surrogate" + Where());
                        cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                    } else if (cp >= 0xDC00 && cp < 0xE000) {
                        throw std::runtime_error("an unpaired surrogate" + Where());
                    }
                    if (cp == 0) throw std::runtime_error("a NUL character in a string" + Where());
                    PutUtf8(out, cp);
                    break;
                }
                default:
                    throw std::runtime_error("an unknown escape" + Where());
            }
        }
    }

    const std::string& s_;
    std::size_t i_ = 0;
};

}  // namespace

bool ManifestFormatOf(const std::string& path, ManifestFormat& format) {
    const std::string p = Lower(path);
    if (EndsWith(p, ".jsonl") || EndsWith(p, ".ndjson") || EndsWith(p, ".json")) {
        format = ManifestFormat::JsonLines;
        return true;
    }
    if (EndsWith(p, ".csv")) {
        format = ManifestFormat::Csv;
        return true;
    }
    return false;
}

Fields ParseJsonObjectLine(const std::string& line) {
    return JsonLineParser(line).Object();
}

std::vector<std::string> ParseCsvLine(const std::string& text) {
    std::string line = text;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::vector<std::string> cells;
    std::string cell;
    std::size_t i = 0;
    for (;;) {
        cell.clear();
        if (i < line.size() && line[i] == '"') {
            ++i;
            for (;;) {
                if (i >= line.size())
                    throw std::runtime_error("a quoted field does not end on its line");
                if (line[i] == '"') {
                    if (i + 1 < line.size() && line[i + 1] == '"') {
                        cell += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                cell += line[i++];
            }
            if (i < line.size() && line[i] != ',')
                throw std::runtime_error("text after a quoted field in column " +
                                         std::to_string(cells.size() + 1));
        } else {
            while (i < line.size() && line[i] != ',') {
                if (line[i] == '"')
                    throw std::runtime_error("a quote inside an unquoted field in column " +
                                             std::to_string(cells.size() + 1));
                cell += line[i++];
            }
        }
        cells.push_back(cell);
        if (i >= line.size()) break;
        ++i;  // the comma
    }
    return cells;
}

std::vector<ManifestLine> ReadManifest(std::istream& in, ManifestFormat format) {
    std::vector<ManifestLine> jobs;
    std::vector<std::string> header;
    std::string line;
    bool tooLong = false;
    int number = 0;
    while (ReadLine(in, line, tooLong)) {
        ++number;
        if (number == 1 && line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);  // a BOM
        if (!tooLong && Blank(line)) continue;
        if (format == ManifestFormat::Csv && header.empty()) {
            if (tooLong) throw ManifestError("line 1: the header row is too long");
            try {
                header = ParseCsvLine(line);
            } catch (const std::exception& e) {
                throw ManifestError("line " + std::to_string(number) + ": " + e.what());
            }
            for (std::string& key : header) {
                key.erase(0, key.find_first_not_of(' '));
                key.erase(key.find_last_not_of(' ') + 1);
                if (key.empty())
                    throw ManifestError("line " + std::to_string(number) +
                                        ": the header row has an empty column name");
            }
            continue;
        }
        if (jobs.size() >= kMaxManifestJobs)
            throw ManifestError("more than " + std::to_string(kMaxManifestJobs) +
                                " jobs in one manifest");
        ManifestLine job;
        job.lineNumber = number;
        if (tooLong) {
            job.error =
                "the line is longer than " + std::to_string(kMaxManifestLineBytes) + " bytes";
        } else {
            try {
                if (format == ManifestFormat::JsonLines) {
                    job.fields = ParseJsonObjectLine(line);
                } else {
                    std::vector<std::string> cells = ParseCsvLine(line);
                    if (cells.size() != header.size())
                        throw std::runtime_error("the row has " + std::to_string(cells.size()) +
                                                 " fields, the header " +
                                                 std::to_string(header.size()));
                    for (std::size_t c = 0; c < cells.size(); ++c)
                        job.fields.emplace_back(header[c], std::move(cells[c]));
                }
            } catch (const std::exception& e) {
                job.error = e.what();
                job.fields.clear();
            }
        }
        jobs.push_back(std::move(job));
    }
    return jobs;
}

}  // namespace tessaly::cli
