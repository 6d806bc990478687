#!/usr/bin/env python3
"""Writes a realistic quote store (citas.txt layout, ISO-8859-1), deterministic from a seed."""

import argparse
import random
import sys

HEADER = b"-== Cita\xe7\xf5es ==-"

# Words of the quotations, typed in Unicode and written as ISO-8859-1.
WORDS = """
a o as os um uma de do da dos das em no na nos nas por para com sem sobre entre que quem
como quando onde porque mas nem ou se j\u00e1 ainda sempre nunca talvez muito pouco mais menos
vida morte amor tempo mundo homem mulher cora\u00e7\u00e3o alma sonho verdade mentira
liberdade saudade esperan\u00e7a mem\u00f3ria sil\u00eancio palavra caminho destino
felicidade tristeza sabedoria raz\u00e3o paix\u00e3o for\u00e7a coragem medo d\u00favida
cora\u00e7\u00f5es ora\u00e7\u00e3o can\u00e7\u00e3o na\u00e7\u00e3o p\u00e3o m\u00e3e irm\u00e3o
\u00e1gua terra fogo ar mar c\u00e9u sol lua estrela noite dia manh\u00e3 tarde luz sombra
ver\u00e3o inverno outono primavera rio montanha floresta jardim flor \u00e1rvore semente
\u00e9 s\u00e3o foi era ser\u00e1 seria tem t\u00eam havia h\u00e1 faz fazer dizer diz
sabe saber querer quer pode poder deve dever vive viver morre morrer ama amar
sente sentir pensa pensar esquece esquecer lembra lembrar espera esperar
grande pequeno belo triste alegre velho novo s\u00e1bio louco livre cego justo
\u00fanico pr\u00f3prio \u00faltimo f\u00e1cil dif\u00edcil poss\u00edvel imposs\u00edvel
l\u00e1grima riso olhar m\u00e3os p\u00e9s voz canto poema poesia livro hist\u00f3ria
povo pa\u00eds cidade aldeia casa porta janela estrada viagem regresso partida
amizade inimigo amigo crian\u00e7a juventude velhice trabalho descanso gl\u00f3ria
\u00e0 \u00e0s at\u00e9 ap\u00f3s al\u00e9m atr\u00e1s tamb\u00e9m por\u00e9m contudo
p\u00f4r av\u00f4 av\u00f3 tr\u00eas m\u00eas voc\u00ea cora\u00e7\u00e3ozinho d\u00f3i
""".split()

FIRST_NAMES = """
Ant\u00f3nio Jos\u00e9 Jo\u00e3o Manuel Francisco Lu\u00eds Carlos Paulo Pedro Miguel
Fernando Jorge Ant\u00f3nia Maria Ana Isabel Teresa Helena Concei\u00e7\u00e3o Lu\u00edsa
Sophia Florbela Agustina C\u00e9sar Ega Alberto Ricardo \u00c1lvaro Vit\u00f3ria \u00c9rico
Sebasti\u00e3o Tom\u00e1s In\u00eas Beatriz Gon\u00e7alo Sim\u00e3o Rosa Lurdes \u00c2ngela Lu\u00e9lia
""".split()

SURNAMES = """
Silva Santos Ferreira Pereira Oliveira Costa Rodrigues Martins Jesus Sousa Fernandes
Gon\u00e7alves Gomes Lopes Marques Alves Almeida Ribeiro Pinto Carvalho Teixeira Moreira
Correia Mendes Nunes Soares Vieira Monteiro Cardoso Rocha Raposo Neves Coelho Cruz
Cunha Pires Ramos Reis Sim\u00f5es Ant\u00f3nio Matos Fonseca Machado Ara\u00fajo Barbosa
Tavares Louren\u00e7o Castro Pai\u00e3o Guerra Brand\u00e3o Queir\u00f3s Cam\u00f5es Pessoa Torga
""".split()

ENDINGS = [".", ".", ".", ".", "!", "?", "...", ":"]
JOINS = [" ", " ", " ", " ", " ", " ", ", ", ", ", "; ", " - ", " / "]
PAIRS = [("\u00ab", "\u00bb"), ("(", ")"), ("[", "]"), ("'", "'")]

# Bytes the record reader keeps inside a quotation; everything written is checked against it.
ADMITTED = set(range(ord("A"), ord("Z") + 1)) | set(range(ord("a"), ord("z") + 1))
ADMITTED |= {0xC0, 0xC1, 0xC2, 0xC3, 0xC7, 0xC8, 0xC9, 0xCA, 0xCC, 0xCD, 0xCE, 0xD2,
             0xD3, 0xD4, 0xD5, 0xD9, 0xDA, 0xDB}
ADMITTED |= {b + 0x20 for b in list(ADMITTED) if b >= 0xC0}
ADMITTED |= set(range(ord("0"), ord("9") + 1))
ADMITTED |= set(b" \t\n!',.:;?()-/[]") | {0xAB, 0xBB}
ADMITTED_BYTES = bytes(sorted(ADMITTED))


def latin1(text):
    return text.encode("iso-8859-1")


def make_authors(rng, count):
    """About `count` distinct author names, each well under the 49-byte author field."""
    names = set()
    while len(names) < count:
        parts = [rng.choice(FIRST_NAMES)]
        for _ in range(rng.choice([1, 1, 2])):
            parts.append(rng.choice(SURNAMES))
        if rng.random() < 0.05:
            parts.insert(1, "de")
        names.add(" ".join(parts))
    ordered = sorted(names)
    rng.shuffle(ordered)
    return [latin1(name) for name in ordered]


def make_sentence(rng, words):
    """One sentence: a capital letter, words with the odd comma or quoted span, an ending."""
    count = rng.randint(3, 14)
    out = []
    open_pair = None
    for i in range(count):
        word = rng.choice(words)
        if i == 0:
            word = word[:1].upper() + word[1:]
        elif rng.random() < 0.01:
            word = str(rng.randint(1, 2026))
        if open_pair is None and 0 < i < count - 2 and rng.random() < 0.04:
            open_pair = rng.choice(PAIRS)
            word = open_pair[0] + word
        elif open_pair is not None and rng.random() < 0.4:
            word += open_pair[1]
            open_pair = None
        out.append(word)
        if i < count - 1:
            out.append(rng.choice(JOINS) if open_pair is None else " ")
    if open_pair is not None:
        out.append(open_pair[1])
    out.append(rng.choice(ENDINGS))
    return "".join(out)


def make_quote(rng, words, length):
    """One quotation text of about `length` bytes (20-400), without its double quotes."""
    sentences = []
    size = 0
    while size < length:
        sentence = make_sentence(rng, words)
        size += len(sentence) + (1 if sentences else 0)
        sentences.append(sentence)
    data = latin1(" ".join(sentences))
    if len(data) > 400:
        data = data[:399].rstrip(b" ,;-/([\xab'") + b"."
    # Some quotations run over two lines.
    if rng.random() < 0.1 and len(data) > 40:
        cut = data.find(b" ", len(data) // 2)
        if 0 < cut < len(data) - 2:
            data = data[:cut] + b"\n" + data[cut + 1:]
    return data


def quote_length(rng):
    """Mostly short quotations, a few long ones, always 20-400 bytes."""
    return max(20, min(400, int(rng.lognormvariate(4.7, 0.55))))


def plant(data, word, rng):
    """`data` with `word` put in place of one of its words, kept within 400 bytes."""
    pieces = data.split(b" ")
    index = rng.randrange(len(pieces))
    pieces[index] = word
    result = b" ".join(pieces)
    if len(result) > 400:  # put it first instead, and cut the tail
        pieces = data.split(b" ")
        pieces[0] = word
        result = b" ".join(pieces)[:399].rstrip(b" ,;-/([\xab'\n") + b"."
    return result


def check_word(word, words, authors):
    """A planted word must not occur, in any letter case, anywhere else in the store."""
    low = word.lower()
    for other in list(words) + [a.decode("iso-8859-1") for a in authors]:
        if low in other.lower():
            sys.exit(f"planted word {word!r} occurs in {other!r}")


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--entries", type=int, required=True)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--authors", type=int, default=2000)
    parser.add_argument("--plant", default=None, help="word planted in exactly K entries")
    parser.add_argument("--plant-count", type=int, default=0, help="K")
    parser.add_argument("--unique", default=None, help="word planted in the middle entry only")
    parser.add_argument("--absent", default=None, help="word checked to occur nowhere")
    parser.add_argument("--out", required=True)
    args = parser.parse_args()

    rng = random.Random(args.seed)
    authors = make_authors(rng, args.authors)
    for word in (args.plant, args.unique, args.absent):
        if word:
            check_word(word, WORDS, authors)
    if args.plant_count > args.entries:
        sys.exit("more planted entries than entries")

    middle = args.entries // 2 if args.unique else -1
    planted = set()
    if args.plant and args.plant_count > 0:
        step = args.entries / args.plant_count
        planted = {int(i * step + step / 2) for i in range(args.plant_count)}
        if middle in planted:  # keep the unique entry apart from the planted ones
            planted.discard(middle)
            spare = middle + 1
            while spare in planted:
                spare += 1
            planted.add(spare)
        assert len(planted) == args.plant_count and max(planted) < args.entries

    plant_word = latin1(args.plant) if args.plant else b""
    unique_word = latin1(args.unique) if args.unique else b""
    with open(args.out, "wb", buffering=1 << 20) as out:
        out.write(HEADER)
        chunk = []
        for i in range(args.entries):
            quote = make_quote(rng, WORDS, quote_length(rng))
            if i in planted:
                quote = plant(quote, plant_word, rng)
            if i == middle:
                quote = plant(quote, unique_word, rng)
            assert not quote.translate(None, ADMITTED_BYTES), quote
            chunk.append(b'\n"' + quote + b'"\n' + rng.choice(authors) + b"\n")
            if len(chunk) == 4096:
                out.write(b"".join(chunk))
                chunk.clear()
        out.write(b"".join(chunk))


if __name__ == "__main__":
    main()
