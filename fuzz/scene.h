// The bitmaps of one fuzz input and the checks made around every export
// call: the guard bytes and engine records of every bitmap stay as built, a
// refused call changes nothing, and a call changes only the bitmaps it names,
// only where and which bytes it may. A scene held against the plain build
// first makes each call in the plain build of its library, then puts every
// bitmap back and makes it as shipped: the two results and the bytes of
// every bitmap must agree, which tests each export's choice of where a fast
// path is exact, and its shortcuts.
#pragma once

#include <climits>
#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <type_traits>
#include <vector>

#include "exports.h"
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
    Scene(Input& in, bool against_plain);
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

    // Calls export `fn` with `args` as the engine would, between a snapshot
    // of every bitmap and the checks, and in a scene held against the plain
    // build after the same call there. Returns the result.
    template <class Fn, class... Args>
    auto call(const char* name, Result kind, std::initializer_list<Write> writes, Fn* Exports::*fn,
              Args... args) {
        return call_twinned_if(true, name, kind, writes, fn, args...);
    }
    // As call(), held against the plain build only if `twinned`: a call
    // that need not give the same bytes twice is not.
    template <class Fn, class... Args>
    auto call_twinned_if(bool twinned, const char* name, Result kind,
                         std::initializer_list<Write> writes, Fn* Exports::*fn, Args... args) {
        static_assert(sizeof...(Args) <= kMaxArgs);
        last_ = LastCall{name, {argument(args)...}, sizeof...(Args)};
        before_call();
        const auto call_in = [&](const Exports& e) {
            return result_of([&] { return (e.*fn)(args...); });
        };
        const bool against_plain = twinned && against_plain_;
        int64_t plain = 0;
        if (against_plain) {
            if (!(plain_exports().*fn)) fail("the plain build lacks it");
            plain = call_in(plain_exports());
            keep_plain_bytes();
        }
        const int64_t r = call_in(exports());
        after_call(judge(kind, r), writes);
        if (against_plain) expect_plain(r, plain);
        using R = std::invoke_result_t<Fn*, Args...>;
        if constexpr (!std::is_void_v<R>) return static_cast<R>(r);
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

    // The result of f() as a 64-bit value, 0 for a function without one.
    template <class F>
    static int64_t result_of(F f) {
        if constexpr (std::is_void_v<std::invoke_result_t<F>>) {
            f();
            return 0;
        } else {
            return static_cast<int64_t>(f());
        }
    }

    std::string describe_call() const;
    void before_call();
    void after_call(Outcome outcome, std::initializer_list<Write> writes);
    // Notes the bytes the plain build left and puts every bitmap back as it
    // was before the call.
    void keep_plain_bytes();
    // Stops the run unless the shipped call gave result `r` and the bytes of
    // the plain one, which gave `plain`.
    void expect_plain(int64_t r, int64_t plain) const;
    [[noreturn]] void fail(const std::string& what) const;

    std::vector<standin::Bitmap> bitmaps_;
    std::vector<std::vector<uint8_t>> snapshots_;
    std::vector<std::vector<uint8_t>> plain_bytes_;
    bool against_plain_;
    int last_pick_ = 0;
    LastCall last_{};
};

}  // namespace fuzz
