// The bitmaps of one fuzz input and the checks made around every export
// call: the guard bytes and engine records of every bitmap stay as built, a
// refused call changes nothing, and a call changes only the bitmaps it names,
// only where and which bytes it may.
#pragma once

#include <climits>
#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <type_traits>
#include <vector>

#include "input.h"
#include "standin/bitmap.h"
#include "trace.h"

namespace fuzz {

// Which bytes of a pixel a call may change.
enum class Bytes { kAll, kColour, kAlpha };

// A half-open rectangle of pixels, in 64 bits so that no bound wraps.
struct Region {
    int64_t x0 = INT64_MIN, y0 = INT64_MIN, x1 = INT64_MAX, y1 = INT64_MAX;
    bool contains(int64_t x, int64_t y) const { return x >= x0 && x < x1 && y >= y0 && y < y1; }
};

// A bitmap that a call may change, with the bytes and the region it may.
struct Write {
    int bitmap;
    Bytes bytes = Bytes::kAll;
    Region region = {};
};

// How an export reports that it refused: by its result.
enum class Result {
    kStatus,     // int32_t, 1 done, 0 refused
    kBoolean,    // bool, true done, false refused
    kInverted,   // int32_t, 0 done, 1 refused
    kAlwaysOne,  // int32_t, always 1
    kByte,       // int, 0 .. 255, writes nothing
    kNone,       // void
};

class Scene {
  public:
    // Two to four bitmaps of sizes and contents drawn from `in`: some
    // without a surface, some of empty or negative size, many of the same
    // size as another.
    explicit Scene(Input& in);
    ~Scene();
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;

    int count() const { return static_cast<int>(bitmaps_.size()); }
    // Any bitmap of the scene, often the one picked last (so that source
    // and destination are often the same).
    int pick(Input& in);
    int32_t handle(int i) const { return bitmaps_[i].handle(); }
    const standin::Bitmap& bitmap(int i) const { return bitmaps_[i]; }
    bool has_pixels(int i) const;
    // For computing an expected result in place: the pixels of bitmap i,
    // and putting them back.
    std::vector<uint8_t> pixels(int i) const { return bitmaps_[i].pixels(); }
    void restore(int i, const std::vector<uint8_t>& pixels) { bitmaps_[i].set_pixels(pixels); }

    // Calls fn(args...) as the engine would, between a snapshot of every
    // bitmap and the checks. Returns the result.
    template <class Fn, class... Args>
    auto call(const char* name, Result kind, std::initializer_list<Write> writes, Fn* fn,
              Args... args) {
        static_assert(sizeof...(Args) <= kMaxArgs);
        using R = std::invoke_result_t<Fn*, Args...>;
        last_ = LastCall{name, {argument(args)...}, sizeof...(Args)};
        before_call();
        if constexpr (std::is_void_v<R>) {
            fn(args...);
            after_call(Outcome{true, true}, writes);
        } else {
            const R r = fn(args...);
            after_call(judge(kind, static_cast<int64_t>(r)), writes);
            return r;
        }
    }

    // Stops the run with a report on the last call unless `ok`: for checks
    // of a result against the bitmaps.
    void expect(bool ok, const std::string& what) const {
        if (!ok) fail(what);
    }

  private:
    static constexpr size_t kMaxArgs = 12;
    struct Argument {
        int64_t value;
        bool pointer;
    };
    static Argument argument(int64_t v) { return {v, false}; }
    static Argument argument(const void* p) {
        return {static_cast<int64_t>(reinterpret_cast<uintptr_t>(p)), true};
    }
    struct LastCall {
        const char* name;
        Argument args[kMaxArgs];
        size_t count;
    };

    struct Outcome {
        bool valid;  // the result lies in the export's range
        bool done;   // the call did not refuse
    };
    static Outcome judge(Result kind, int64_t r);

    std::string describe_call() const;
    void before_call();
    void after_call(Outcome outcome, std::initializer_list<Write> writes);
    [[noreturn]] void fail(const std::string& what) const;

    std::vector<standin::Bitmap> bitmaps_;
    std::vector<std::vector<uint8_t>> snapshots_;
    int last_pick_ = 0;
    LastCall last_{};
};

}  // namespace fuzz
