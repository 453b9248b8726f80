# A `reg export` file (UTF-8, no carriage returns) as one line per key ("KEY") and per value
# ("KEY\NAME=DATA", continued lines joined), for listings that are compared line by line.
/^\[.*\]$/ { key = substr($0, 2, length($0) - 2); print key; next }
/^"|^@/ {
  entry = $0
  while (entry ~ /\\$/ && (getline more) > 0) {
    sub(/\\$/, "", entry); sub(/^ +/, "", more); entry = entry more
  }
  print key "\\" entry
}
