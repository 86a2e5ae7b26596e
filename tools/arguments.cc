#include "tools/arguments.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "tools/failure.h"

namespace tool {

bool parse_int32(const std::string& word, int32_t& out) {
    if (word.empty()) return false;
    char* end = nullptr;
    errno = 0;
    const long long value = std::strtoll(word.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || value < std::numeric_limits<int32_t>::min() ||
        value > std::numeric_limits<int32_t>::max())
        return false;
    out = static_cast<int32_t>(value);
    return true;
}

std::vector<std::string> split_words(const std::string& line, std::string_view separators) {
    std::vector<std::string> words;
    size_t start = 0;
    while ((start = line.find_first_not_of(separators, start)) != std::string::npos) {
        const size_t end = line.find_first_of(separators, start);
        words.push_back(line.substr(start, end - start));
        start = end;
    }
    return words;
}

namespace {

// Result buffers larger than this are refused rather than attempted.
constexpr int64_t kMaxResultInts = int64_t{1} << 28;

bool takes_word(const Param& param) { return param.kind != Kind::kResultInts; }

size_t word_count(const Operation& op) {
    size_t n = 0;
    for (const Param& param : op.params) n += takes_word(param);
    return n;
}

std::string prefix(const Operation& op, const Param& param) {
    return std::string(op.name) + ": " + param.name;
}

[[noreturn]] void bad_value(const Operation& op, const Param& param, const std::string& what,
                            const std::string& word) {
    throw Failure(kUsage, prefix(op, param) + " must be " + what + ", got '" + word + "'");
}

bool parse_float(const std::string& word, float& out) {
    if (word.empty()) return false;
    char* end = nullptr;
    errno = 0;
    out = std::strtof(word.c_str(), &end);
    return *end == '\0' && (errno == 0 || !std::isinf(out));  // overflow is an error
}

template <class T>
std::vector<T> parse_list(const std::string& text, bool (*parse)(const std::string&, T&),
                          const Operation& op, const Param& param, const char* what) {
    std::vector<T> values;
    for (const std::string& word : split_words(text, ", \t\r\n")) {
        T value;
        if (!parse(word, value)) bad_value(op, param, what, word);
        values.push_back(value);
    }
    return values;
}

void bind_word(const Operation& op, const Param& param, const std::string& word,
               const Sources& sources, Call& call, Value& value) {
    value.word = word;
    switch (param.kind) {
        case Kind::kInteger:
            if (!parse_int32(word, value.number)) bad_value(op, param, "a 32-bit integer", word);
            break;
        case Kind::kBitmapIn:
        case Kind::kBitmapOut:
            value.bitmap = static_cast<int>(call.bitmaps.size());
            call.bitmaps.push_back(sources.bitmap(word));
            break;
        case Kind::kInts:
            value.ints = parse_list<int32_t>(sources.list(word), parse_int32, op, param,
                                             "a list of 32-bit integers");
            break;
        case Kind::kFloats:
            value.floats =
                parse_list<float>(sources.list(word), parse_float, op, param, "a list of numbers");
            break;
        case Kind::kResultInts: break;
    }
}

size_t entries(const Value& value) { return value.ints.size() + value.floats.size(); }

// An array of a fixed size must match it exactly.
void check_fixed_count(const Operation& op, const Param& param, const Value& value) {
    if (entries(value) != static_cast<size_t>(param.fixed_count))
        throw Failure(kUsage, prefix(op, param) + " needs " + std::to_string(param.fixed_count) +
                                  " numbers, got " + std::to_string(entries(value)));
}

// Other arrays must hold at least what the call will read, and result
// buffers are made as large as the call will write.
void apply_count_rule(const Operation& op, const Param& param, Call& call, Value& value) {
    const int64_t needed = param.rule(call);
    if (param.kind == Kind::kResultInts) {
        if (needed < 0 || needed > kMaxResultInts)
            throw Failure(kUsage, prefix(op, param) + ": the picture is too large");
        value.ints.assign(static_cast<size_t>(needed), 0);
    } else if (needed < 0) {
        throw Failure(kUsage, prefix(op, param) + ": the other arguments reach outside any array");
    } else if (static_cast<uint64_t>(needed) > entries(value)) {
        throw Failure(kUsage, prefix(op, param) + " needs at least " + std::to_string(needed) +
                                  " numbers (" + param.count_text + "), got " +
                                  std::to_string(entries(value)));
    }
}

}  // namespace

Call bind_arguments(const Operation& op, const std::vector<std::string>& words,
                    const Sources& sources) {
    if (words.size() != word_count(op))
        throw Failure(kUsage, std::string(op.name) + " takes " + std::to_string(word_count(op)) +
                                  " arguments (" + describe_params(op) + "), got " +
                                  std::to_string(words.size()));
    Call call;
    call.values.resize(op.params.size());
    size_t next = 0;
    for (size_t i = 0; i < op.params.size(); ++i)
        if (takes_word(op.params[i]))
            bind_word(op, op.params[i], words[next++], sources, call, call.values[i]);
    // Fixed sizes first: the count rules may read those arrays.
    for (size_t i = 0; i < op.params.size(); ++i)
        if (op.params[i].fixed_count > 0) check_fixed_count(op, op.params[i], call.values[i]);
    for (size_t i = 0; i < op.params.size(); ++i)
        if (op.params[i].rule) apply_count_rule(op, op.params[i], call, call.values[i]);
    return call;
}

std::string describe_call(const Operation& op, const std::vector<std::string>& words) {
    std::string text = std::string(op.name) + "(";
    size_t next = 0;
    for (const Param& param : op.params) {
        if (&param != &op.params.front()) text += ", ";
        text += param.name;
        if (takes_word(param) && next < words.size()) text += "=" + words[next++];
    }
    return text + ")";
}

std::string describe_params(const Operation& op) {
    std::string text;
    for (const Param& param : op.params) {
        if (!text.empty()) text += ' ';
        text += param.name;
        const std::string count = param.fixed_count > 0 ? std::to_string(param.fixed_count)
                                  : param.count_text    ? param.count_text
                                                        : "";
        switch (param.kind) {
            case Kind::kInteger: break;
            case Kind::kBitmapIn: text += ":png"; break;
            case Kind::kBitmapOut: text += ":png!"; break;
            case Kind::kInts: text += ":ints[" + count + "]"; break;
            case Kind::kFloats: text += ":floats[" + count + "]"; break;
            case Kind::kResultInts: text += ":printed[" + count + "]"; break;
        }
    }
    return text;
}

}  // namespace tool
