#pragma once

#include <QList>
#include <new>

// Sizing lists of many elements so that memory running out throws std::bad_alloc. Qt's lists do
// not check the allocation of their size constructors, nor that of reserve() on a list that
// holds elements, and write through a null pointer when the memory runs out; resize() checks,
// but rounds a large block up to the next power of two. These allocate the exact room and check.
namespace TCheckedList {

// Room for count elements, the list's elements kept.
template <typename T> void Reserve(QList<T>& list, qsizetype count) {
    if (count <= list.capacity())
        return;
    QList<T> larger;
    larger.reserve(count); // an empty list copies nothing into the new block
    if (larger.capacity() < count)
        throw std::bad_alloc();
    larger.append(std::move(list));
    list.swap(larger);
}

// A list of count value-initialised elements.
template <typename T> QList<T> Sized(qsizetype count) {
    QList<T> list;
    Reserve(list, count);
    list.resize(count);
    return list;
}

} // namespace TCheckedList
