#pragma once

#include <QHash>
#include <QtGlobal>
#include <optional>
#include <vector>

// One node of a rigid link and the translations the link ties at it.
struct TRigidLinkEntry {
    qint32 NodeNumber = 0;
    bool TiesX = false;
    bool TiesY = false;
    bool TiesZ = false;
};

// The rigid-link table of one NISA import: the dependent nodes of the link in card order, then
// the independent node. Nodes are looked up through an index, so reading n node lines against a
// link of m nodes takes time proportional to n + m. An entry taken from the table is gone, and
// the next lookup of the same number finds the next entry with it, if the card lists it twice.
class TNisaRigidLink {
public:
    // Appends an entry; a degree-of-freedom code ties X if it contains "1", Y "2", Z "3".
    void Add(qint32 nodeNumber, QStringView freedomCode);
    void Add(const TRigidLinkEntry& entry);
    // The first entry with that node number, if any.
    const TRigidLinkEntry* Find(qint32 nodeNumber) const;
    // Removes the first entry with that node number and returns it.
    std::optional<TRigidLinkEntry> Take(qint32 nodeNumber);
    // Entries still in the table.
    qsizetype Count() const { return LiveCount; }

private:
    void BuildIndex() const;

    std::vector<TRigidLinkEntry> Entries;
    std::vector<bool> Taken;
    qsizetype LiveCount = 0;
    // Built at the first lookup after entries were added: node number to its first entry still
    // in the table, and for each entry the next entry with the same number (-1 at the end).
    mutable bool IndexValid = false;
    mutable QHash<qint32, int> Head;
    mutable std::vector<int> Next;
};
