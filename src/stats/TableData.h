#pragma once

#include "StatTables.h"

// The fifteen tree tables, defined in the source that the table generator
// writes from tables.tsv at build time. Named by tree code.
namespace skillwright::stats::data {

extern const TreeTable AmazonBC;
extern const TreeTable AmazonPM;
extern const TreeTable AmazonJS;
extern const TreeTable BarBarCM;
extern const TreeTable BarBarCS;
extern const TreeTable BarBarWC;
extern const TreeTable NecroCurse;
extern const TreeTable NecroBone;
extern const TreeTable NecroSummon;
extern const TreeTable PaladinCom;
extern const TreeTable PaladinOff;
extern const TreeTable PaladinDef;
extern const TreeTable SorcCold;
extern const TreeTable SorcFire;
extern const TreeTable SorcLight;

} // namespace skillwright::stats::data
