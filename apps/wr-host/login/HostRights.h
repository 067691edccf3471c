// SPDX-License-Identifier: MIT
// The logged-in user's rights: what the role grants, less what [Permissions] of the
// workstation's configuration refuses (hostdata/HostPermissions.h holds the rule).
#pragma once
#include "hostdata/HostPermissions.h"
#include "login/HostUser.h"

class TConfigStore;

HostPermissions PermissionsFor(const THostLogin& login, TConfigStore& config);
