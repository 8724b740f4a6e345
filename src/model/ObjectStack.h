// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <vector>

// An owning list of objects used as a stack.
template <class T>
class CObjectStack {
public:
    void Push(std::unique_ptr<T> object) { m_objects.push_back(std::move(object)); }
    T* Top() const { return m_objects.empty() ? nullptr : m_objects.back().get(); }
    void Pop() {
        if (!m_objects.empty())
            m_objects.pop_back();
    }
    void Clear() { m_objects.clear(); }
    size_t GetCount() const { return m_objects.size(); }
    void Reserve(size_t count) { m_objects.reserve(count); }
    bool IsEmpty() const { return m_objects.empty(); }
    T& At(size_t index) const { return *m_objects.at(index); }

private:
    std::vector<std::unique_ptr<T>> m_objects;
};
