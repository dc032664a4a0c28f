if [ -n "$X" ]; then
  defaults write com.apple.Dock \
    orientation "left" # side
fi
cat <<EOF
defaults write -g KeyRepeat 1
EOF
