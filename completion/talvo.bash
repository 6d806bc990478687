# bash completion for talvo: its options, verbs, the values of --formato, and folders after -C.
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
  # The verb: the first word that is neither an option nor a folder after -C.
  verb=
  for ((i = 1; i < COMP_CWORD; i++)); do
    word=${COMP_WORDS[i]}
    case $word in
      -C | --pasta) ((i++)) ;;
      -*) ;;
      *) verb=$word; break ;;
    esac
  done
  local options='-C --pasta= -h --help --ajuda -V --version --versao'
  case $verb in
    '')
      mapfile -t COMPREPLY < <(compgen -W "contar procurar aleatoria exportar importar $options" -- "$cur")
      ;;
    procurar) mapfile -t COMPREPLY < <(compgen -W '-i -a' -- "$cur") ;;
    exportar) mapfile -t COMPREPLY < <(compgen -W '--formato=' -- "$cur") ;;
    importar)
      if [[ $cur == -* ]]; then
        mapfile -t COMPREPLY < <(compgen -W '--formato=' -- "$cur")
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
