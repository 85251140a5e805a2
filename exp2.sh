exec {a}<> <(:)
Xvfb -displayfd "$a" -screen 0 640x480x24 -nolisten tcp 2>A.log &
pa=$!
read -r -t 10 na <&"$a"; echo "A=:$na"
sleep 1; kill -0 $pa && echo alive || echo dead
DISPLAY=:$na xdpyinfo >/dev/null 2>&1 && echo "reachable" || echo "unreachable"
kill $pa; wait $pa
cat A.log
