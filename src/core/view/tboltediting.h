#pragma once

#include <QString>

class TBoltGroupDocument;
class TBoltGroupModel;
struct TBolt;

// The values behind the bolt editing commands: what the bolt properties dialog shows for a bolt,
// for the applied load or for a new bolt, how its texts are read back, and which bolts a delete
// removes. A Tag names the bolt concerned by its 0-based index; BoltCount stands for the applied
// load. The window asks the questions and reruns the analysis.
class TBoltEditing {
public:
    // The texts of the bolt properties dialog.
    struct TProperties {
        QString Caption;
        // The applied load: the stiffness labels read as loads, and there is no node number or
        // orientation.
        bool ForLoad = false;
        QString X, Y, Z, FX, FY, FZ;
        QString Node;
        // The chosen item of the orientation group, 0 to 3; -1 when none is chosen.
        int Orientation = 0;
    };

    // The properties of bolt `tag`, or of the applied load for tag BoltCount. The tag must be
    // between 0 and BoltCount.
    static TProperties PropertiesOf(const TBoltGroupModel& model, qint32 tag);
    // Writes accepted properties back to bolt `tag` or to the applied load, and marks the change.
    static void ApplyProperties(TBoltGroupDocument& document, qint32 tag, const TProperties& values);

    // The proposal for a new bolt: the last bolt's position, stiffnesses and orientation with no
    // node number, or the origin with unit stiffnesses for the first bolt.
    static TProperties AddBoltProposal(const TBoltGroupModel& model);
    // Appends the bolt the texts describe, and marks the change. The selection stays.
    static void AddBolt(TBoltGroupDocument& document, const TProperties& values);

    // The title of the "Are you sure?" question for deleting bolt `tag` or the selection.
    static QString DeleteTitle(const TBoltGroupModel& model, qint32 tag);
    // Deletes the selected bolts (highest index first) and empties the selection; without a
    // selection deletes bolt `tag`. Marks the change.
    static void DeleteBolts(TBoltGroupDocument& document, qint32 tag);

    // The texts read as numbers: text that is not a number gives 0, for the stiffnesses too, and
    // an unreadable node number gives 0. A bolt's orientation is the chosen item, or `previous`
    // when none is chosen.
    static TBolt BoltOf(const TProperties& values, qint8 previous);
};
