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
    Entries.push_back(entry);
    Taken.push_back(false);
    ++LiveCount;
    IndexValid = false;
}

void TNisaRigidLink::BuildIndex() const {
    Head.clear();
    Next.assign(Entries.size(), -1);
    for (qsizetype i = qsizetype(Entries.size()) - 1; i >= 0; --i) {
        if (Taken[size_t(i)])
            continue;
        const qint32 node = Entries[size_t(i)].NodeNumber;
        auto head = Head.find(node);
        if (head == Head.end()) {
            Head.insert(node, int(i));
        } else {
            Next[size_t(i)] = head.value();
            head.value() = int(i);
        }
    }
    IndexValid = true;
}

const TRigidLinkEntry* TNisaRigidLink::Find(qint32 nodeNumber) const {
    if (!IndexValid)
        BuildIndex();
    const auto head = Head.constFind(nodeNumber);
    if (head == Head.constEnd())
        return nullptr;
    return &Entries[size_t(head.value())];
}

std::optional<TRigidLinkEntry> TNisaRigidLink::Take(qint32 nodeNumber) {
    if (!IndexValid)
        BuildIndex();
    const auto head = Head.find(nodeNumber);
    if (head == Head.end())
        return std::nullopt;
    const int index = head.value();
    const int next = Next[size_t(index)];
    if (next < 0)
        Head.erase(head);
    else
        head.value() = next;
    Taken[size_t(index)] = true;
    --LiveCount;
    return Entries[size_t(index)];
}
