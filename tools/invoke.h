// Calls an export through a function pointer of its declared type, passing
// each bound argument as the C type that the declaration gives it. Used only
// to build the operation table.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <type_traits>
#include <utility>

#include "tools/operations.h"

namespace tool::invoke_detail {

template <class T>
T pass(Call& call, Value& value) {
    if constexpr (std::is_same_v<T, int32_t> || std::is_same_v<T, long>) {
        return value.bitmap >= 0 ? call.bitmaps[static_cast<size_t>(value.bitmap)].handle()
                                 : value.number;
    } else if constexpr (std::is_same_v<T, const int32_t*>) {
        return value.ints.data();
    } else if constexpr (std::is_same_v<T, int32_t*>) {
        return value.ints.data();
    } else if constexpr (std::is_same_v<T, const float*>) {
        return value.floats.data();
    } else {
        static_assert(!sizeof(T), "an argument type the tool cannot pass");
    }
}

template <class T>
constexpr bool accepts(Kind kind) {
    if constexpr (std::is_same_v<T, int32_t>) return kind == Kind::kInteger || is_bitmap(kind);
    if constexpr (std::is_same_v<T, long>) return kind == Kind::kBitmapIn;
    if constexpr (std::is_same_v<T, const int32_t*>) return kind == Kind::kInts;
    if constexpr (std::is_same_v<T, int32_t*>) return kind == Kind::kResultInts;
    if constexpr (std::is_same_v<T, const float*>) return kind == Kind::kFloats;
    return false;
}

template <class R>
constexpr const char* result_type() {
    if constexpr (std::is_void_v<R>) return "nothing";
    if constexpr (std::is_same_v<R, bool>) return "bool";
    return "int";
}

template <class F>
struct Invoker;

template <class R, class... A>
struct Invoker<R(A...)> {
    static constexpr const char* kResultType = result_type<R>();

    static std::optional<int64_t> call(void* symbol, Call& call) {
        return apply(reinterpret_cast<R (*)(A...)>(symbol), call, std::index_sequence_for<A...>{});
    }

    template <size_t... I>
    static std::optional<int64_t> apply(R (*f)(A...), Call& c, std::index_sequence<I...>) {
        if constexpr (std::is_void_v<R>) {
            f(pass<A>(c, c.values[I])...);
            return std::nullopt;
        } else {
            return static_cast<int64_t>(f(pass<A>(c, c.values[I])...));
        }
    }

    // The parameter kinds of a table entry must fit the declaration.
    static bool fits(const std::vector<Param>& params) {
        if (params.size() != sizeof...(A)) return false;
        size_t i = 0;
        return (accepts<A>(params[i++].kind) && ...);
    }
};

}  // namespace tool::invoke_detail

namespace tool {

// A table entry for an export whose function type is F.
template <class F>
Operation describe(LibraryId library, const char* group, const char* name, const char* symbol,
                   std::vector<Param> params, std::vector<const char*> demos) {
    using Invoker = invoke_detail::Invoker<F>;
    if (!Invoker::fits(params)) {
        std::fprintf(stderr, "lumoria-tool: the table entry of %s does not fit its declaration\n",
                     name);
        std::abort();
    }
    return Operation{
        library,        group,           name, symbol, std::move(params), Invoker::kResultType,
        &Invoker::call, std::move(demos)};
}

}  // namespace tool
