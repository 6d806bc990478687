# bash completion for talvo: its options (each once), verbs, the values of --formato, folders
# after -C, and the file to import, found in the -C folder as talvo finds it.
_talvo() {
  local cur prev verb word i
  cur=${COMP_WORDS[COMP_CWORD]}
  prev=${COMP_WORDS[COMP_CWORD-1]}
  # Where "=" breaks words, "--formato=js" comes as "--formato" "=" "js".
  if [[ $cur == = ]]; then
    cur=
  elif [[ $prev == = ]]; then
    prev=${COMP_WORDS[COMP_CWORD-2]}
  fi
  case $prev in
    -C | --pasta)
      mapfile -t COMPREPLY < <(compgen -d -- "$cur")
      return
      ;;
    --formato)
      mapfile -t COMPREPLY < <(compgen -W 'texto fortune json' -- "$cur")
      return
      ;;
  esac
  case $cur in
    --pasta=*)
      mapfile -t COMPREPLY < <(compgen -P --pasta= -d -- "${cur#--pasta=}")
      return
      ;;
    --formato=*)
      mapfile -t COMPREPLY < <(compgen -P --formato= -W 'texto fortune json' -- "${cur#--formato=}")
      return
      ;;
  esac
  # The verb: the first word that is neither an option nor a value; the folder of -C; the
  # options already given.
  local folder= seen=' '
  verb=
  for ((i = 1; i < COMP_CWORD; i++)); do
    word=${COMP_WORDS[i]}
    case $word in
      -C | --pasta)
        ((i++))
        [[ ${COMP_WORDS[i]} == = ]] && ((i++))
        folder=${COMP_WORDS[i]}
        ;;
      -C*) folder=${word#-C} ;;
      --pasta=*) folder=${word#--pasta=} ;;
      =) ((i++)) ;;
      -*) seen+="${word%%=*} " ;;
      *) [[ -z $verb ]] && verb=$word ;;
    esac
  done
  # The options of a verb that have not been given yet.
  _talvo_unseen() {
    local option
    for option; do
      [[ $seen == *" ${option%=} "* ]] || printf '%s ' "$option"
    done
  }
  local options='-C --pasta= -h --help --ajuda -V --version --versao'
  case $verb in
    '')
      mapfile -t COMPREPLY < <(compgen -W "contar procurar aleatoria aleatória exportar importar adicionar $options" -- "$cur")
      ;;
    procurar) mapfile -t COMPREPLY < <(compgen -W "$(_talvo_unseen -i -a)" -- "$cur") ;;
    exportar) mapfile -t COMPREPLY < <(compgen -W "$(_talvo_unseen --formato=)" -- "$cur") ;;
    importar)
      if [[ $cur == -* ]]; then
        mapfile -t COMPREPLY < <(compgen -W "$(_talvo_unseen --formato= --autor= --simular)" -- "$cur")
      elif [[ -n $folder && $cur != /* ]]; then
        # A relative file is read in the folder of -C.
        [[ $folder == '~/'* ]] && folder=$HOME/${folder#'~/'}
        mapfile -t COMPREPLY < <(cd -- "$folder" 2> /dev/null && compgen -f -- "$cur")
      else
        mapfile -t COMPREPLY < <(compgen -f -- "$cur")
      fi
      ;;
    *) COMPREPLY=() ;;
  esac
  # An option that takes its value after "=" is completed without a space after it.
  if [[ ${#COMPREPLY[@]} -eq 1 && ${COMPREPLY[0]} == *= ]]; then
    compopt -o nospace 2> /dev/null
  fi
}
complete -F _talvo talvo
