// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The value types of the settings component's published properties, declared
// to the meta-object system so that they read and write by name.
#include <QFlags>
#include <QObject>

namespace placement {
Q_NAMESPACE

enum TPlacementOption : unsigned { fpState = 1, fpPosition = 2, fpActiveControl = 4 };
Q_DECLARE_FLAGS(TPlacementOptions, TPlacementOption)
Q_FLAG_NS(TPlacementOptions)

// The registry root a key path is taken from.
enum TPlacementRegRoot { prCurrentUser, prLocalMachine, prCurrentConfig, prClassesRoot, prUsers, prDynData };
Q_ENUM_NS(TPlacementRegRoot)

}  // namespace placement

Q_DECLARE_OPERATORS_FOR_FLAGS(placement::TPlacementOptions)

using placement::TPlacementOption;
using placement::TPlacementOptions;
using placement::TPlacementRegRoot;
using placement::fpState;
using placement::fpPosition;
using placement::fpActiveControl;
using placement::prCurrentUser;
using placement::prLocalMachine;
using placement::prCurrentConfig;
using placement::prClassesRoot;
using placement::prUsers;
using placement::prDynData;
