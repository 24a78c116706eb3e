# Sourced by the scripts that read the real-file corpus. They find it as the tests do:
# MIVALTO_CORPUS_DIR when it is set (set but empty: no corpus), else ../shared/corpus beside
# the repository. The corpus is optional: a script without it skips what needs it.

# Prints the corpus folder as an absolute path, or nothing when there is none.
#   corpus_dir REPO
corpus_dir() {
  local dir=${MIVALTO_CORPUS_DIR-$1/../shared/corpus}
  if [[ -n $dir && -d $dir ]]; then
    realpath "$dir"
  fi
}

# What a script says when it goes without the corpus.
no_corpus_text() {
  if [[ -n ${MIVALTO_CORPUS_DIR-unset} ]]; then
    echo "no corpus in ${MIVALTO_CORPUS_DIR:-../shared/corpus}"
  else
    echo "no corpus (MIVALTO_CORPUS_DIR is empty)"
  fi
}
