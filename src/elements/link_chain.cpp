// The ship's chain of link nodes and the orbs it carries: swinging, locking, aiming, firing.
#include "elements/player_ship.h"

#include "game/game_env.h"
