# Sourced by the Windows stages: an X server without a screen for Wine's windows, on a free
# display; QUILLMORA_XVFB_PID is the server to stop afterwards.
display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
QUILLMORA_XVFB_PID=$!
for _ in $(seq 50); do
    [ -s "$display_file" ] && break
    sleep 0.1
done
export DISPLAY=":$(head -n1 "$display_file")"
rm -f "$display_file"
