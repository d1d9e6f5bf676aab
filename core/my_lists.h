// Small growable lists: signed 32-bit and 8-bit integers, and a generic list
// for compiled expressions. An index outside the list is a programming error
// and throws std::out_of_range instead of touching foreign memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace umlo {

template <typename T> class TList {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    void Clear() { items_.clear(); }
    void Reserve(int count) {
        if (count > 0) {
            items_.reserve(static_cast<std::size_t>(count));
        }
    }
    // Index of the new element.
    int Add(T value) {
        items_.push_back(std::move(value));
        return Count() - 1;
    }
    const T& Get(int index) const { return items_.at(Checked(index)); }
    T& Get(int index) { return items_.at(Checked(index)); }
    void Set(int index, T value) { items_.at(Checked(index)) = std::move(value); }
    const T& operator[](int index) const { return Get(index); }
    T& operator[](int index) { return Get(index); }
    // Every element becomes value; the count stays.
    void Fill(const T& value) {
        for (auto& item : items_) {
            item = value;
        }
    }

    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }
    auto begin() { return items_.begin(); }
    auto end() { return items_.end(); }
    const std::vector<T>& Items() const { return items_; }

private:
    // A negative index wraps to a huge std::size_t, so at() rejects it too.
    static std::size_t Checked(int index) { return static_cast<std::size_t>(index); }

    std::vector<T> items_;
};

using TIntegerList = TList<std::int32_t>;
using TShortIntList = TList<std::int8_t>;
// The regular-expression dictionary stores its compiled expressions here.
template <typename Expression> using TRegExprList = TList<Expression>;

} // namespace umlo
