#include "tnisarigidlink.h"

#include <QStringView>

void TNisaRigidLink::Add(qint32 nodeNumber, QStringView freedomCode) {
    TRigidLinkEntry entry;
    entry.NodeNumber = nodeNumber;
    entry.TiesX = freedomCode.contains(QLatin1Char('1'));
    entry.TiesY = freedomCode.contains(QLatin1Char('2'));
    entry.TiesZ = freedomCode.contains(QLatin1Char('3'));
    Add(entry);
}

void TNisaRigidLink::Add(const TRigidLinkEntry& entry) {
    const int index = int(Entries.size());
    Entries.push_back(entry);
    Next.push_back(-1);
    auto tail = Tail.find(entry.NodeNumber);
    if (tail == Tail.end()) {
        Head.insert(entry.NodeNumber, index);
        Tail.insert(entry.NodeNumber, index);
    } else {
        Next[size_t(tail.value())] = index;
        tail.value() = index;
    }
    ++LiveCount;
}

const TRigidLinkEntry* TNisaRigidLink::Find(qint32 nodeNumber) const {
    const auto head = Head.constFind(nodeNumber);
    if (head == Head.constEnd())
        return nullptr;
    return &Entries[size_t(head.value())];
}

std::optional<TRigidLinkEntry> TNisaRigidLink::Take(qint32 nodeNumber) {
    const auto head = Head.find(nodeNumber);
    if (head == Head.end())
        return std::nullopt;
    const int index = head.value();
    const int next = Next[size_t(index)];
    if (next < 0) {
        Head.erase(head);
        Tail.remove(nodeNumber);
    } else {
        head.value() = next;
    }
    --LiveCount;
    return Entries[size_t(index)];
}
