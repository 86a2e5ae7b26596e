// The vector sets of a row family that this CPU runs, read from the family's
// own table, so that a set entered there is tested without a list here.
#pragma once

#include <string>
#include <vector>

#include "host/cpu_features.h"

template <class Rows>
struct RowSet {
    std::string name;
    const Rows* rows;
};

template <class Rows>
std::vector<RowSet<Rows>> vector_sets_of(const host::Variants<Rows>& table) {
    std::vector<RowSet<Rows>> sets;
    table.each_on_this_cpu([&](const char* name, const Rows& rows) {
        if (&rows != table.at_level[host::kPlainLevel]) sets.push_back({name, &rows});
    });
    return sets;
}
