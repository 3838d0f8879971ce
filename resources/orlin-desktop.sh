#!/bin/sh
# Starts orlin from the desktop menu. The program keeps portcfg.ini and the message archives in
# its working directory, so the launcher makes one folder per user the working directory:
# ~/.local/share/orlin (or $XDG_DATA_HOME/orlin when that is an absolute path, as orlin-cli
# reads it too). The read-only files (resources, help text, model pictures) come from the
# installed share/orlin when that folder does not hold them.
case "${XDG_DATA_HOME:-}" in
  /*) data="$XDG_DATA_HOME" ;;
  *) data="$HOME/.local/share" ;;
esac
folder="$data/orlin"
mkdir -p "$folder" && cd "$folder" || exit 1
exec "$(dirname "$0")/orlin" "$@"
