#!/usr/bin/env bash
# Tries each fault the file writer must survive against the command-line program and
# prints, per case, what the user sees: the message, the exit code and the file afterwards,
# as a Markdown table. Rerunnable; works in a fresh folder under /tmp, removed at the end.
# Run as root to also try the cases that need a second user (they then run as nobody).
#
#   scripts/writer-faults.sh [path/to/korvelant-cli]
set -uo pipefail

cli=${1:-}
if [[ -z $cli ]]; then
  for candidate in build/*/src/cli/korvelant-cli; do
    [[ -x $candidate ]] && cli=$candidate && break
  done
fi
[[ -x $cli ]] || { echo "usage: $0 path/to/korvelant-cli (none found under build/)" >&2; exit 2; }
cli=$(realpath "$cli")

work=$(mktemp -d /tmp/korvelant-faults-XXXXXX)
chmod 755 "$work"
trap 'chmod -R u+rwx "$work"; rm -rf "$work"' EXIT
cd "$work" || exit 2

root=false
[[ $(id -u) -eq 0 ]] && root=true
nobody=(setpriv --reuid=65534 --regid=65534 --clear-groups)

# The file a successful write must produce, made through the shell's own redirect.
"$cli" file --vertices 3 --edges 1-2,2-3 >reference

# Runs the file command with --output PATH (as nobody when the first argument is
# --as-nobody and we are root); sets `msg` to what it printed and `rc` to its exit code.
run() {
  local prefix=()
  if [[ $1 == --as-nobody ]]; then
    shift
    $root && prefix=("${nobody[@]}")
  fi
  local started=$EPOCHREALTIME
  msg=$(timeout 5 "${prefix[@]}" "$cli" file --vertices 3 --edges 1-2,2-3 --output "$1" 2>&1)
  rc=$?
  elapsed_ms=$(((${EPOCHREALTIME/./} - ${started/./}) / 1000))
  [[ $rc -eq 124 ]] && msg="(hung: killed after 5 s)"
}

is_new() { cmp -s "$1" reference; }
describe() { if is_new "$1"; then echo "new matrix file"; else echo "old content ($(wc -c <"$1") bytes)"; fi; }
mode_of() { stat -c %a "$1"; }
inode_of() { stat -c %i "$1"; }
leftovers() { find "${1:-.}" -maxdepth 1 -name '.*korvelant-*' | wc -l; }

row() { printf '| %s | %s | %s | %s |\n' "$1" "${msg:-(nothing)}" "$rc" "$2"; }

echo "| Case | What the user sees | Exit | File afterwards |"
echo "|---|---|---|---|"

umask 022
run new.txt
row "New file" "$(describe new.txt), mode $(mode_of new.txt) (umask 022)"

printf 'old\n' >kept.txt && chmod 640 kept.txt && before=$(inode_of kept.txt)
run kept.txt
row "Existing file (mode 640)" "$(describe kept.txt), mode $(mode_of kept.txt), $([[ $(inode_of kept.txt) != "$before" ]] && echo replaced whole)"

run missing/out.txt
row "Folder does not exist" "$([[ -e missing ]] && echo created || echo nothing created)"

mkdir folder
run folder
row "Path is a folder" "$([[ -d folder ]] && echo folder untouched)"

run ""
row "Empty path" "nothing written"

# A folder that lets nobody (or, unprivileged, ourselves) write files but not create any.
mkdir closed && printf 'old\n' >closed/data.txt && printf 'old\n' >closed/fixed.txt
chmod 644 closed/data.txt && chmod 444 closed/fixed.txt
if $root; then chown 65534:65534 closed/data.txt closed/fixed.txt; else chmod 555 closed; fi
who=$($root && echo "as nobody" || echo "as this user")
before=$(inode_of closed/data.txt)
run --as-nobody closed/data.txt
row "Writable file, folder allows no new file ($who)" "$(describe closed/data.txt), written in place (same inode: $([[ $(inode_of closed/data.txt) == "$before" ]] && echo yes || echo no))"
run --as-nobody closed/fixed.txt
row "Read-only file ($who)" "$(describe closed/fixed.txt)"
run --as-nobody closed/fresh.txt
row "New file, folder allows no new file ($who)" "$([[ -e closed/fresh.txt ]] && echo created || echo nothing created), temporaries left: $(leftovers closed)"

printf 'old\n' >first.txt && ln first.txt second.txt
run second.txt
row "File with two hard links" "first name: $(describe first.txt); second: $(describe second.txt); links: $(stat -c %h first.txt)"

mkdir elsewhere && printf 'old\n' >elsewhere/target.txt && ln -s elsewhere/target.txt link.txt
run link.txt
row "Symbolic link" "target: $(describe elsewhere/target.txt); link $([[ -L link.txt ]] && echo kept)"

ln -s elsewhere/created.txt dangling.txt
run dangling.txt
row "Dangling symbolic link" "target $([[ -f elsewhere/created.txt ]] && echo created: "$(describe elsewhere/created.txt)"); link $([[ -L dangling.txt ]] && echo kept)"

ln -s loop-b loop-a && ln -s loop-a loop-b
run loop-a
row "Symbolic link loop" "nothing written"

if $root; then
  mkdir -m 1777 shared && printf 'precious\n' >victim.txt && chmod 666 victim.txt
  ln -s "$work/victim.txt" shared/report.txt && chown -h 65534:65534 shared/report.txt
  run shared/report.txt
  row "Another user's link in a sticky shared folder (/tmp-like)" "link target: $(describe victim.txt)"
else
  msg="(skipped: needs root for a second user)" rc="-"
  row "Another user's link in a sticky shared folder" "-"
fi

mkfifo lonely.fifo
run lonely.fifo
row "Named pipe without a reader" "answered in ${elapsed_ms} ms; still a pipe: $([[ -p lonely.fifo ]] && echo yes)"

mkfifo read.fifo
cat read.fifo >from-pipe.txt &
reader=$!
run read.fifo
wait "$reader"
row "Named pipe with a reader" "reader got: $(describe from-pipe.txt)"

# The message must not go into the file, so standard error is caught apart here.
{
  echo before
  timeout 5 "$cli" file --vertices 3 --edges 1-2,2-3 --output /dev/stdout 2>stderr.txt
  rc=$?
  echo after
} >redirect.txt
msg=$(<stderr.txt)
expected=$( (echo before && cat reference && echo after) | md5sum)
row "Standard output redirected to a file, as /dev/stdout" "$([[ $(md5sum <redirect.txt) == "$expected" ]] && echo 'before + matrix + after, nothing lost' || echo 'LOST shell output')"

exec 5>fd.txt
echo before >&5
run /dev/fd/5
run_fd_msg=$msg run_fd_rc=$rc
run /proc/self/fd/5
echo after >&5
exec 5>&-
expected=$( (echo before && cat reference reference && echo after) | md5sum)
msg="$run_fd_msg${msg:+ / $msg}" rc="$run_fd_rc / $rc"
row "Open descriptor as /dev/fd/5, then /proc/self/fd/5" "$([[ $(md5sum <fd.txt) == "$expected" ]] && echo 'before + matrix + matrix + after' || echo 'LOST shell output')"

run /dev/fd/9
row "Descriptor that is not open (/dev/fd/9)" "nothing written"

if command -v setfacl >/dev/null && printf 'old\n' >acl.txt && setfacl -m u:65534:rw,m::r acl.txt 2>/dev/null; then
  acl_before=$(getfacl -cp acl.txt | sort)
  run acl.txt
  row "File with an ACL (named user, mask r--)" "$(describe acl.txt); ACL $([[ $(getfacl -cp acl.txt | sort) == "$acl_before" ]] && echo kept || echo CHANGED); mode $(mode_of acl.txt)"
else
  msg="(skipped: setfacl missing or no ACLs here)" rc="-"
  row "File with an ACL" "-"
fi

long=$(printf 'n%.0s' {1..255})
run "$long"
msg=${msg//$long/NAME255}
row "Name of 255 bytes" "$([[ -f $long ]] && describe "$long"), temporaries left: $(leftovers)"

printf 'old\n' >full.txt
msg=$(ulimit -f 0 && "$cli" file --vertices 3 --edges 1-2,2-3 --output full.txt 2>&1)
rc=$?
row "Disk full (file-size limit 0)" "$(describe full.txt), temporaries left: $(leftovers)"

printf 'old\n' >crashed.txt && printf 'half' >.crashed.txt.korvelant-Xy12Ab
run crashed.txt
row "Temporary left by a killed writer" "$(describe crashed.txt), temporaries left: $(leftovers)"

# Killed at random moments: the file must always be the old one or the new one, whole.
printf 'old\n' >killed.txt
mixes=0 most_leftovers=0
for _ in $(seq 40); do
  "$cli" file --vertices 3 --edges 1-2,2-3 --output killed.txt &
  sleep "0.00$((RANDOM % 10))"
  kill -KILL $! 2>/dev/null
  wait $! 2>/dev/null
  [[ $(<killed.txt) == old ]] || is_new killed.txt || mixes=$((mixes + 1))
  now=$(leftovers) && ((now > most_leftovers)) && most_leftovers=$now
  printf 'old\n' >killed.txt.fresh && mv killed.txt.fresh killed.txt
done
run killed.txt
row "Killed (SIGKILL) at 40 random moments, then written once more" "never a mix: $([[ $mixes -eq 0 ]] && echo yes || echo "NO ($mixes)"); temporaries left by kills: up to $most_leftovers at once; after the next write: $(leftovers)"

printf 'old\n' >race.txt
for _ in 1 2; do
  (for _ in $(seq 20); do "$cli" file --vertices 3 --edges 1-2,2-3 --output race.txt || exit 1; done) &
done
failures=0
for job in $(jobs -p); do wait "$job" || failures=$((failures + 1)); done
msg="(nothing)" rc="0 (failed writers: $failures)"
row "Two programs writing the same file 20 times each" "$(describe race.txt), temporaries left: $(leftovers)"
