# Sourced by the scripts that compare this tree with another commit (compare-before.sh,
# bench-before.sh): sets ROOT, REF (the first argument, default main), BEFORE_TREE (a worktree of
# REF beside this folder, or VEX_BEFORE_DIR) and COMMIT, and makes that worktree or moves it to
# REF when needed.
ROOT="$PWD"
REF="${1:-main}"
BEFORE_TREE="${VEX_BEFORE_DIR:-$ROOT-before}"
COMMIT="$(git rev-parse --verify "$REF^{commit}")"
if [ ! -d "$BEFORE_TREE" ]; then
  git worktree add --detach "$BEFORE_TREE" "$COMMIT" >/dev/null
elif [ "$(git -C "$BEFORE_TREE" rev-parse HEAD)" != "$COMMIT" ]; then
  git -C "$BEFORE_TREE" checkout --quiet --detach "$COMMIT"
fi
