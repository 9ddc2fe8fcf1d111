#!/usr/bin/env bash
# The image check must fail on IMAGE and say each of the given reasons.
set -u
image=$1; shift
out=$("$(dirname "$0")/check_images.sh" "$image") && { echo "accepted: $image"; exit 1; }
echo "$out"
for reason in "$@"; do
    grep -qF -- "$reason" <<<"$out" || { echo "does not say: $reason"; exit 1; }
done
