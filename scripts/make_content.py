#!/usr/bin/env python3
"""Writes the bundled exercises of content/: the getting-started file, the exercise files
(".E21"), their statements and corrections (RTF) and benches (".P09"); the list of exercises in
the help page docs/aide/exercices.html; and the table of every number the texts state,
tests/exercises/bundled-numbers.tsv, from which the test suite recomputes each number through
the program's own bench.

Every number a text states about a bench is written here as a placeholder, an expression of
that bench's values ({xA1-x1}), never typed in: a changed bench changes its texts, and the
suite checks that the texts and the benches in content/ still agree.

Run from anywhere: python3 scripts/make_content.py
"""
import math
import os
import re
import struct
from decimal import ROUND_HALF_UP, Decimal
from fractions import Fraction

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..')
OUT = os.path.join(ROOT, 'content')
NUMBERS = os.path.join(ROOT, 'tests', 'exercises', 'bundled-numbers.tsv')
HELP = os.path.join(ROOT, 'docs', 'aide', 'exercices.html')
RECORD = 128

# The text of record 6 that keeps the image's read-outs hidden until the correction.
HIDDEN_VALUES = 'VALEURS CACHEES'


def record_file(records):
    data = bytearray()
    for text in records:
        raw = text.encode('cp1252')
        assert len(raw) <= RECORD - 2, text
        data += len(raw).to_bytes(2, 'little') + raw + bytes(RECORD - 2 - len(raw))
    return bytes(data)


def write(path, data):
    with open(path, 'wb') as f:
        f.write(data)


# ---------------------------------------------------------------------------------------------
# Benches

# The start-up switches of the bench, Check1(0) to Check1(17).
DEFAULT_OPTIONS = [1, 1, 1, 0, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 1, 0, 0, 1]
AXIS_LENGTHS = [50, 60, 70, 80, 90, 100, 200, 300, 400, 500, 1000, 2000, 5000]

# Display switches that statements turn off so that the figure does not show the answer.
NO_LIGHT = {1: 0, 13: 0, 14: 0, 3: 0, 4: 0, 5: 0}  # no construction ray, no beam
NO_IMAGES = {2: 0}
NO_FOCI = {7: 0}
TWO_LENSES = {6: 1}
# The corrections of two-lens exercises also draw the ray through O2.
TWO_LENSES_SHOWN = {6: 1, 10: 1}

# The values an expression may name, and the fields of a bench in record order.
VARIABLES = ('xA1', 'xA2', 'xA', 'x1', 'x2', 'f1', 'f2', 'h1', 'h2', 'h', 'a')
FIELDS = ('x1', 'f1', 'x2', 'f2', 'xA', 'h', 'd1', 'd2')


def single(value):
    """A value as the program holds it, in single precision."""
    return struct.unpack('f', struct.pack('f', value))[0]


def decimal_text(value, decimals):
    """A number as a French text sets it: decimal comma, true minus sign, halves away from 0."""
    d = Decimal(repr(float(value))).quantize(Decimal(1).scaleb(-decimals), ROUND_HALF_UP)
    text = f'{abs(d):.{decimals}f}'.replace('.', ',')
    return ('\u2212' if d < 0 else '') + text


class Bench:
    """One configuration of the bench: positions and focal distances in cm, the number of
    decimals of its positions (1 to 3), its axis length, and its display switches."""

    def __init__(self, x1, f1, xA=0.0, h=3.0, x2=48.0, f2=10.0, d1=8.0, d2=None, decimals=1,
                 axis=60, infinity=False, apparent=10.0, options=None):
        self.values_in = dict(x1=x1, f1=f1, x2=x2, f2=f2, xA=xA, h=h, d1=d1,
                              d2=d1 if d2 is None else d2)
        self.decimals = decimals
        self.axis = axis
        self.infinity = infinity
        self.apparent = apparent  # degrees, one decimal
        self.options = list(DEFAULT_OPTIONS)
        for k, v in (options or {}).items():
            self.options[k] = v

    def but(self, options=None, **changes):
        """A copy with some fields changed and, when given, other display switches."""
        b = Bench(**self.values_in, decimals=self.decimals, axis=self.axis,
                  infinity=self.infinity, apparent=self.apparent)
        b.options = list(self.options) if options is None else list(DEFAULT_OPTIONS)
        for k, v in (options or {}).items():
            b.options[k] = v
        for k, v in changes.items():
            if k == 'apparent':
                b.apparent = v
            else:
                assert k in FIELDS, k
                b.values_in[k] = v
        return b

    def field_text(self, name):
        return decimal_text(self.values_in[name], self.decimals).replace('\u2212', '-')

    def configuration(self):
        records = ['FOCALINES', f' {self.decimals - 1}', f' {AXIS_LENGTHS.index(self.axis)}',
                   f' {self.axis}', ' 12.5', ' 5', f' {round(self.values_in["d1"] * 10)}',
                   f' {round(self.apparent * 10)}', '1' if self.infinity else '0']
        records += [str(v) for v in self.options]
        records += [self.field_text(name) for name in FIELDS]
        assert len(records) == 35
        return record_file(records)

    def values(self):
        """The bench's values as the program computes them: the thin-lens conjugation applied
        lens after lens, with the program's nudges away from a division by zero."""
        v = {name: single(self.values_in[name]) for name in FIELDS}
        v['a'] = self.apparent
        x1, f1, x2, f2, xA, h = (v[k] for k in ('x1', 'f1', 'x2', 'f2', 'xA', 'h'))
        if self.infinity:
            q1 = f1
            h1 = -f1 * math.tan(self.apparent * 0.017453292)
        else:
            p1 = xA - x1
            if f1 + p1 == 0:
                p1 = -f1 - 0.0001
            q1 = f1 * p1 / (f1 + p1)
            h1 = q1 * h / p1
        xA1 = single(x1 + q1)
        if xA1 == x2:
            x2 += 0.0001
        p2 = x1 + q1 - x2
        if p2 == 0:
            p2 = 0.0001
        q2 = f2 * p2 / (f2 + p2) if f2 + p2 != 0 else abs(f2 * p2 / 0.0001)
        v.update(xA1=xA1, h1=h1, xA2=single(x2 + q2), h2=q2 * h1 / p2)
        return v

    def readout(self, index):
        v = self.values()
        position = v['xA1'] if index < 2 else v['xA2']
        if abs(position) > 50000:
            return 'Hors limites'
        return decimal_text(position if index % 2 == 0 else v['h1' if index < 2 else 'h2'],
                            self.decimals).replace('\u2212', '-') + ' cm'


# ---------------------------------------------------------------------------------------------
# Expressions: the same text is evaluated here and, in the test suite, by the calculator of the
# program over the bench that the program loads. Names: `x1` (the text's own bench) or `C.x1`
# (bench C of the exercise); functions TAN and INVTAN in degrees, SQR.

VARIABLE = re.compile(r'(?:\b([A-Z])\.)?\b(' + '|'.join(VARIABLES) + r')\b')


def evaluate(expression, values):
    def value(m):
        return '(' + repr(values[m.group(1)][m.group(2)]) + ')'

    python = VARIABLE.sub(value, expression)
    python = python.replace('INVTAN(', '_atand(').replace('TAN(', '_tand(')
    python = python.replace('SQR(', '_sqrt(')
    return eval(python, {'__builtins__': {}, '_atand': lambda x: math.degrees(math.atan(x)),
                         '_tand': lambda x: math.tan(math.radians(x)), '_sqrt': math.sqrt})


# A number a text states: decimals after a comma, or a fraction of whole numbers.
STATED_NUMBER = re.compile(r'[\u2212-]?\d+(?:,\d+|/\d+(?!\d|,\d))')


# ---------------------------------------------------------------------------------------------
# Typesetting: French spacing, then the markup bar(…) (an algebraic measure, drawn with a bar
# above), _1 or _{…} (subscript) and ^{…} (superscript), then RTF.

NBSP, THIN, WORD_JOINER = '\xa0', '\u202f', '\u2060'
UNITS = r'(?:cm|mm|m|\u03b4|km)'


def typeset(text):
    # `…` is text to type as it stands (a calculator expression): no spacing touches it.
    if '`' in text:
        pieces = text.split('`')
        return ''.join(p if k % 2 else typeset(p) for k, p in enumerate(pieces))
    text = text.replace('« ', '«' + NBSP).replace(' »', NBSP + '»').replace(' :', NBSP + ':')
    for mark in ';?!':
        text = text.replace(' ' + mark, THIN + mark)
    for sign in ('=', '\u2248', '<', '>', '\u2264', '\u2265', '\u00d7'):
        text = text.replace(' ' + sign + ' ', NBSP + sign + NBSP)
    # A formula may break after a plus or minus sign, never before it.
    text = text.replace(' \u2212 ', NBSP + '\u2212 ').replace(' + ', NBSP + '+ ')
    text = re.sub(r'(\d|\)) (' + UNITS + r')(?![\w])', r'\1' + NBSP + r'\2', text)
    text = re.sub(r' (\((?:' + UNITS + r'|m\^\{\u2212 ?1\})\))', NBSP + r'\1', text)
    text = text.replace('tan ', 'tan' + NBSP)
    # A line may break after a slash followed by a letter ("1/f'"): a word joiner holds them.
    text = re.sub(r'/(?=[^\d\s])', '/' + WORD_JOINER, text)
    # Nor after the opening bar of an absolute value ("|γ_1|").
    text = re.sub(r'\|(?=\S)', '|' + WORD_JOINER, text)
    return text


def runs(text):
    """(character, style) pairs, style being '', 'sub' or 'super', and whether it is barred."""
    out = []
    i = 0
    barred = False
    while i < len(text):
        if text.startswith('bar(', i):
            assert not barred, text
            barred = True
            i += 4
        elif barred and text[i] == ')':
            barred = False
            i += 1
        elif text[i] == '_' and i + 1 < len(text) and text[i + 1].isdigit():
            out.append((text[i + 1], 'sub', barred))
            i += 2
        elif text.startswith('_{', i) or text.startswith('^{', i):
            end = text.index('}', i)
            style = 'sub' if text[i] == '_' else 'super'
            out += [(c, style, barred) for c in text[i + 2:end]]
            i = end + 1
        else:
            out.append((text[i], '', barred))
            i += 1
    assert not barred, text
    return out


OVERLINE = '\u0305'


def plain(text):
    """The text as the program reads it out of the RTF, bars as combining characters."""
    return ''.join(c + (OVERLINE if barred else '') for c, _, barred in runs(text))


def rtf_char(ch):
    if ch in '\\{}':
        return '\\' + ch
    if ord(ch) < 128:
        return ch
    try:
        return "\\'%02x" % ch.encode('cp1252')[0]
    except UnicodeEncodeError:
        return '\\u%d?' % ord(ch)


def rtf_text(text):
    out = []
    for c, style, barred in runs(text):
        piece = rtf_char(c)
        if style:
            piece = '{\\' + style + ' ' + piece + '}'
        out.append(piece + (rtf_char(OVERLINE) if barred else ''))
    return ''.join(out)


# ---------------------------------------------------------------------------------------------
# Texts. A paragraph is (style, text) with style 'title', 'head', 'text', 'note', 'question' or
# 'table' (text: rows of cells). In a statement, every question is followed by a "Réponse :"
# line where the pupil writes.

RTF_HEAD = (r'{\rtf1\ansi\ansicpg1252\deff0{\fonttbl{\f0\fswiss Arial;}}'
            r'{\colortbl;\red0\green0\blue0;\red0\green0\blue200;\red160\green0\blue0;'
            r'\red0\green110\blue110;\red90\green90\blue90;}' '\n')
TABLE_WIDTH = 5100  # twips: the text area of the main window is about 360 pixels wide


class Text:
    """One RTF file of an exercise, whose placeholders name the benches of `exercise`, the
    bench `default` when unqualified."""

    def __init__(self, exercise, file_name, default, paragraphs, answers):
        self.exercise, self.file_name, self.default = exercise, file_name, default
        self.numbers = []  # (stated text, expression with bench labels)
        self.readouts = []  # (stated text, bench label, index)
        self.plain = []
        body = []
        number = 0
        for style, text in paragraphs:
            if style == 'table':
                body.append(self.table(text))
                continue
            text = self.fill(text)
            if style == 'title':
                body.append(r'\pard\qc\sa120\f0\fs32\cf2\b ' + rtf_text(text) + r'\b0\par')
            elif style == 'head':
                body.append(r'\pard\ql\sb120\sa60\f0\fs22\cf3\b ' + rtf_text(text) + r'\b0\par')
            elif style == 'note':
                body.append(r'\pard\ql\li150\sa60\f0\fs18\cf5\i ' + rtf_text(text) + r'\i0\par')
            elif style == 'question':
                number += 1
                body.append(r'\pard\ql\li300\fi-300\sa60\f0\fs20\cf1\b ' + f'{number}. '
                            + r'\b0 ' + rtf_text(text) + r'\par')
                if answers:
                    # The space after the colon is black: what the pupil types there is too.
                    body.append(r'\pard\ql\li300\sa120\f0\fs20\cf4\i R\'e9ponse\'a0:\i0\cf1 '
                                r"\'a0\par")
            else:
                assert style == 'text', style
                body.append(r'\pard\ql\li150\sa60\f0\fs20\cf1 ' + rtf_text(text) + r'\par')
            self.plain.append(plain(text))
        self.rtf = (RTF_HEAD + '\n'.join(body) + '\n}\n').encode('ascii')
        found = STATED_NUMBER.findall('\n'.join(self.plain))
        assert found == [n for n, _ in self.numbers], (file_name, found, self.numbers)

    def table(self, rows):
        # The first column, which names the row, is a little wider than the others.
        width = TABLE_WIDTH // (len(rows[0]) + 1)
        edges = [2 * width + k * width for k in range(len(rows[0]))]
        border = ''.join(rf'\clbrdr{side}\brdrs\brdrw15' for side in 'tlbr')
        lines = []
        for r, row in enumerate(rows):
            cells = ''.join(border + rf'\cellx{edge}' for edge in edges)
            texts = []
            for cell in row:
                cell = self.fill(cell)
                self.plain.append(plain(cell))
                weight = r'\b ' if r == 0 else ''
                texts.append(r'\pard\intbl\qc\f0\fs18\cf1 ' + weight
                             + r'\line '.join(rtf_text(line) for line in cell.split('\n'))
                             + (r'\b0' if r == 0 else '') + r'\cell')
            lines.append(r'\trowd\trgaph60\trleft150' + cells + ''.join(texts) + r'\row')
        return '\n'.join(lines) + '\n' + r'\pard\sa60\par'

    def fill(self, text):
        text = re.sub(r'\{@([A-Z])([0-3])\}', self.readout, text)
        outside = re.sub(r'(?<![_^])\{[^{}]*\}', ' ', text)
        if self.exercise is None:
            # A text without a bench states numbers of its own, which are what they say.
            for n in STATED_NUMBER.findall(plain(text)):
                self.numbers.append((n, n.replace('\u2212', '-').replace(',', '.')))
            return typeset(text)
        assert not STATED_NUMBER.search(plain(outside)), (self.file_name, text)
        return typeset(re.sub(r'(?<![_^])\{([^{}|]+)(?:\|(\d|frac))?\}', self.number, text))

    def readout(self, m):
        bench, index = m.group(1), int(m.group(2))
        stated = self.exercise.benches[bench].readout(index)
        self.readouts.append((stated, self.exercise.label(bench), index))
        return stated

    def number(self, m):
        expression, precision = m.group(1).strip(), m.group(2)
        names = [b or self.default for b, _ in VARIABLE.findall(expression)]
        value = evaluate(expression, self.exercise.all_values(self.default))
        if precision == 'frac':
            fraction = Fraction(value).limit_denominator(1000)
            # Positions are single-precision numbers: a fraction holds to about 1e-6.
            assert fraction.denominator > 1 and \
                abs(float(fraction) - value) <= 1e-5 * max(1, abs(value)), value
            stated = ('\u2212' if fraction < 0 else '') + f'{abs(fraction.numerator)}/' \
                f'{fraction.denominator}'
        else:
            decimals = int(precision) if precision else \
                self.exercise.benches[names[0] if names else self.default].decimals
            stated = decimal_text(value, decimals)
        labelled = VARIABLE.sub(lambda v: self.exercise.label(v.group(1) or self.default) + '.'
                                + v.group(2), expression)
        self.numbers.append((stated, labelled.replace(' ', '')))
        return stated


# ---------------------------------------------------------------------------------------------
# Exercises

HIDDEN_NOTE = ("Les valeurs de l'image sont cachées (« ? ») dans l'onglet « Objets et "
               "images » jusqu'à « Voir la correction » (bouton « Exercices ») : à vous de les "
               "trouver.")
ALGEBRAIC_NOTE = ("Une barre au-dessus d'une distance, comme bar(OA), indique une mesure "
                  "algébrique : positive dans le sens de propagation de la lumière (de gauche à "
                  "droite) ; une hauteur algébrique est positive vers le haut.")

EXERCISES = []


class Exercise:
    """An exercise: its description (title, difficulty, hourglasses, topics), its benches
    (E for the statement and C for the correction, which are written as files; other letters
    are variants that only the check of the numbers loads), its statement and correction."""

    def __init__(self, slug, title, difficulty, hourglasses, topics, hidden):
        self.number = len(EXERCISES) + 1
        self.key = f'{self.number:02d}-{slug}'
        self.title, self.difficulty, self.hourglasses = title, difficulty, hourglasses
        self.topics, self.hidden = topics, hidden
        self.benches = {}
        self.variants = {}  # letter: (base letter, changed fields)
        EXERCISES.append(self)

    def label(self, letter):
        return f'{letter}{self.number:02d}'

    def file(self, letter):
        return self.key + {'E': '-enonce.P09', 'C': '-corrige.P09'}[letter]

    def bench(self, letter, bench):
        self.benches[letter] = bench
        return bench

    def variant(self, letter, base, **changes):
        self.variants[letter] = (base, changes)
        self.benches[letter] = self.benches[base].but(**changes)

    def all_values(self, default):
        values = {b: bench.values() for b, bench in self.benches.items()}
        values[None] = values[default]
        values[''] = values[default]
        return values

    def texts(self, statement, correction):
        self.statement = Text(self, self.key + '-enonce.rtf', 'E', statement, True)
        self.correction = Text(self, self.key + '-corrige.rtf', 'C', correction, False)


def intro(exercise, *paragraphs):
    """The first paragraphs of a statement: its title and data, the notes it needs."""
    title = exercise.title[0].lower() + exercise.title[1:]
    out = [('title', f'Exercice {exercise.number} : ' + title)]
    out += [('text', p) for p in paragraphs]
    return out


def questions(*texts):
    return [('question', t) for t in texts]


def corrected(exercise, *texts):
    return [('title', f"Corrigé de l'exercice {exercise.number}")] + questions(*texts)


CHECK_RAYS = ("« parallèle à l'axe optique », « passant par le centre optique O » et "
              "« passant par le foyer objet F »")


# 1. The three rays --------------------------------------------------------------------------
x = Exercise('construction', "Construire l'image avec les trois rayons", 1, 1,
             ['Rayons particuliers, ', 'construction graphique, ', 'image réelle'], True)
x.bench('E', Bench(x1=20.0, f1=6.0, xA=2.0, h=3.0, options={**NO_LIGHT, **NO_IMAGES}))
x.bench('C', x.benches['E'].but(options={5: 0}))
x.texts(
    intro(x,
          "Un objet AB de hauteur {h} cm est placé perpendiculairement à l'axe optique, son "
          "pied A à la graduation {xA} cm du banc. Une lentille convergente de centre optique "
          "O et de distance focale f' = {f1} cm est placée à la graduation {x1} cm ; ses "
          "foyers F et F' sont marqués sur la figure.",
          "Ni les rayons ni l'image ne sont dessinés : c'est à vous de construire l'image. "
          "Imprimez la figure (bouton « Imprimer ») ou reproduisez-la à l'échelle sur une "
          "feuille, puis tracez les rayons à la règle.")
    + [('note', HIDDEN_NOTE)]
    + questions(
        "Tracer le rayon issu de B parallèle à l'axe optique. Par quel point passe-t-il après "
        "la lentille ?",
        "Tracer le rayon issu de B qui passe par le centre optique O. Comment traverse-t-il la "
        "lentille ?",
        "Tracer le rayon issu de B qui passe par le foyer objet F. Comment ressort-il de la "
        "lentille ?",
        "Les rayons émergents se coupent en B', l'image de B, et A' est sur l'axe à la "
        "verticale de B'. Lire sur l'axe gradué la graduation de l'image et mesurer sa "
        "hauteur. L'image est-elle réelle ou virtuelle, droite ou renversée ?",
        "Vérifier : dans l'onglet « Construction », cocher un à un les trois rayons (" + CHECK_RAYS
        + ") ; puis, dans l'onglet « Affichage », cocher « Afficher les images »."),
    corrected(
        x,
        "Un rayon incident parallèle à l'axe ressort en passant par le foyer image F', à la "
        "graduation {x1+f1} cm.",
        "Un rayon qui passe par le centre optique O traverse la lentille sans être dévié.",
        "Un rayon incident qui passe par le foyer objet F (graduation {x1-f1} cm) ressort "
        "parallèle à l'axe.",
        "Les trois rayons émergents se coupent en B'. L'image est à la graduation {xA1} cm et "
        "sa hauteur vaut bar(A'B') = {h1} cm : elle est réelle (les rayons s'y croisent "
        "vraiment, on peut la recueillir sur un écran) et renversée. Le calcul le confirme : "
        "bar(OA) = {xA-x1} cm, 1/bar(OA') = 1/f' + 1/bar(OA) = 1/{f1} + 1/({xA-x1}) = "
        "{1/(xA1-x1)|frac}, soit bar(OA') = {xA1-x1} cm, et γ = bar(OA')/bar(OA) = "
        "{(xA1-x1)/(xA-x1)|2}.",
        "Le banc de ce corrigé montre les trois rayons et l'image ; l'onglet « Objets et "
        "images » affiche sa position, {xA1} cm, et sa hauteur, {h1} cm."))

# 2. A real image ----------------------------------------------------------------------------
x = Exercise('image-reelle', "Image réelle et relation de conjugaison", 1, 1,
             ['Lentille convergente, ', 'image réelle, ', 'relation de conjugaison'], True)
x.bench('E', Bench(x1=20.0, f1=10.0, xA=0.0, h=2.0, options={**NO_LIGHT, **NO_IMAGES}))
x.bench('C', x.benches['E'].but(options={}))
x.texts(
    intro(x,
          "Un objet AB de hauteur {h} cm est placé perpendiculairement à l'axe optique, son "
          "pied A à la graduation {xA} cm du banc. Une lentille convergente de centre optique "
          "O et de distance focale f' = {f1} cm est placée à la graduation {x1} cm.",
          "L'image n'est pas dessinée : à vous de la trouver.")
    + [('note', HIDDEN_NOTE), ('note', ALGEBRAIC_NOTE)]
    + questions(
        "Calculer bar(OA), la position de l'objet par rapport au centre optique O.",
        "À l'aide de la relation de conjugaison 1/bar(OA') − 1/bar(OA) = 1/f', calculer "
        "bar(OA'). En déduire la graduation du banc où se forme l'image A'B'.",
        "Calculer le grandissement γ = bar(OA')/bar(OA), puis la hauteur bar(A'B') de "
        "l'image. L'image est-elle réelle ou virtuelle ? droite ou renversée ?",
        "Vérifier : dans l'onglet « Affichage », cocher « Afficher les images ». L'image "
        "se forme-t-elle à la graduation trouvée ?"),
    corrected(
        x,
        "bar(OA) = {xA} − {x1} = {xA-x1} cm : l'objet est avant la lentille, à sa gauche, "
        "donc bar(OA) < 0.",
        "1/bar(OA') = 1/f' + 1/bar(OA) = 1/{f1} + 1/({xA-x1}) = {1/(xA1-x1)|frac}, donc "
        "bar(OA') = {xA1-x1} cm. L'image se forme à la graduation {x1} + {xA1-x1} = {xA1} cm.",
        "γ = {xA1-x1}/({xA-x1}) = {(xA1-x1)/(xA-x1)} et bar(A'B') = γ × bar(AB) = "
        "{(xA1-x1)/(xA-x1)} × {h} = {h1} cm. bar(OA') > 0 : l'image est réelle, on peut la "
        "recueillir sur un écran ; γ < 0 : elle est renversée, et de même taille que l'objet.",
        "L'image est dessinée à la graduation trouvée. Le banc de ce corrigé l'affiche, avec "
        "les rayons ; l'onglet « Objets et images » donne sa position, {xA1} cm, et sa "
        "hauteur, {h1} cm."))

# 3. Magnification ---------------------------------------------------------------------------
x = Exercise('grandissement', "Grandissement et taille de l'image", 1, 1,
             ['Grandissement, ', "taille de l'image"], True)
x.bench('E', Bench(x1=25.0, f1=10.0, xA=0.0, h=3.0, options={**NO_LIGHT, **NO_IMAGES}))
x.bench('C', x.benches['E'].but(options={}, x1=20.0))
x.texts(
    intro(x,
          "Un objet AB de hauteur {h} cm a son pied A à la graduation {xA} cm du banc. Une "
          "lentille convergente de distance focale f' = {f1} cm est placée à la graduation "
          "{x1} cm.",
          "L'image n'est pas dessinée : à vous de la trouver.")
    + [('note', HIDDEN_NOTE), ('note', ALGEBRAIC_NOTE)]
    + questions(
        "Calculer bar(OA), puis bar(OA') à l'aide de la relation de conjugaison "
        "1/bar(OA') − 1/bar(OA) = 1/f'.",
        "Calculer le grandissement γ = bar(OA')/bar(OA).",
        "En déduire la hauteur bar(A'B') de l'image. L'image est-elle plus grande ou plus "
        "petite que l'objet ?",
        "Dans l'onglet « Affichage », cocher « Afficher les images », puis déplacer la "
        "lentille à la souris en comparant l'objet et l'image. Pour quelle position de la "
        "lentille l'image a-t-elle la taille de l'objet ? Le justifier par le calcul."),
    corrected(
        x,
        "bar(OA) = {E.xA} − {E.x1} = {E.xA-E.x1} cm ; 1/bar(OA') = 1/{E.f1} + "
        "1/({E.xA-E.x1}) = {1/(E.xA1-E.x1)|frac}, donc bar(OA') = {E.xA1-E.x1|frac} ≈ "
        "{E.xA1-E.x1} cm : l'image est à la graduation {E.xA1} cm.",
        "γ = bar(OA')/bar(OA) = ({E.xA1-E.x1|frac})/({E.xA-E.x1}) = "
        "{(E.xA1-E.x1)/(E.xA-E.x1)|frac} ≈ {(E.xA1-E.x1)/(E.xA-E.x1)|2}.",
        "bar(A'B') = γ × bar(AB) = ({(E.xA1-E.x1)/(E.xA-E.x1)|frac}) × {E.h} = {E.h1} cm "
        "(on calcule avec la fraction : la valeur arrondie de γ donnerait un résultat "
        "faux au dernier chiffre). L'image est renversée et plus petite que l'objet.",
        "Même taille, renversée : γ = −1, donc bar(OA') = −bar(OA) et la relation de "
        "conjugaison devient −2/bar(OA) = 1/f', soit bar(OA) = −2f' = {-2*C.f1} cm. L'objet "
        "étant à la graduation {C.xA} cm, la lentille doit être à la graduation {C.x1} cm ; "
        "l'image est alors à 2f' = {2*C.f1} cm derrière la lentille. Le banc de ce corrigé "
        "montre cette position : image à la graduation {C.xA1} cm, de hauteur {C.h1} cm."))

# 4. The magnifying glass --------------------------------------------------------------------
x = Exercise('loupe', "La loupe, une image virtuelle", 1, 2, ['Image virtuelle, ', 'loupe'], True)
x.bench('E', Bench(x1=16.0, f1=10.0, xA=10.0, h=1.0, options={**NO_LIGHT, **NO_IMAGES}))
x.bench('C', x.benches['E'].but(options={5: 0}))
x.texts(
    intro(x,
          "On observe un petit objet AB, de hauteur {h} cm, à travers une loupe : une lentille "
          "convergente de distance focale f' = {f1} cm, placée à la graduation {x1} cm. Le "
          "pied A de l'objet est à la graduation {xA} cm.",
          "L'image n'est pas dessinée : à vous de la trouver.")
    + [('note', HIDDEN_NOTE), ('note', ALGEBRAIC_NOTE)]
    + questions(
        "Le foyer objet F de la lentille est à la graduation {x1-f1} cm. L'objet est-il "
        "entre F et la lentille, ou avant F (plus loin de la lentille que F) ?",
        "Calculer bar(OA'). À quelle graduation se trouve l'image ?",
        "Calculer le grandissement γ et la hauteur bar(A'B') de l'image. L'image est-elle "
        "droite ou renversée, réelle ou virtuelle ?",
        "Vérifier : dans l'onglet « Affichage », cocher « Afficher les images » (l'image "
        "virtuelle est dessinée en pointillés, car « Afficher images virtuelles » est coché) ; "
        "dans l'onglet « Construction », cocher les rayons « passant par le centre optique "
        "O » et « parallèle à l'axe optique ». Les rayons émergents se coupent-ils ? Où se "
        "coupent leurs prolongements en pointillés ?"),
    corrected(
        x,
        "bar(OA) = {xA} − {x1} = {xA-x1} cm et bar(OF) = −f' = {-f1} cm : l'objet est entre le "
        "foyer objet F et la lentille.",
        "1/bar(OA') = 1/f' + 1/bar(OA) = 1/{f1} + 1/({xA-x1}) = {1/(xA1-x1)|frac}, donc "
        "bar(OA') = {xA1-x1} cm : l'image est à la graduation {x1} − {x1-xA1} = {xA1} cm, du "
        "même côté de la lentille que l'objet.",
        "γ = bar(OA')/bar(OA) = ({xA1-x1})/({xA-x1}) = {(xA1-x1)/(xA-x1)} et bar(A'B') = "
        "γ × bar(AB) = {(xA1-x1)/(xA-x1)} × {h} = {h1} cm. γ > 0 : l'image est droite, et "
        "agrandie. bar(OA') < 0 : elle est virtuelle ; on ne peut pas la recueillir sur un "
        "écran, on la voit à travers la loupe.",
        "Les rayons émergents divergent : ils ne se coupent pas. Ce sont leurs prolongements "
        "en pointillés (« Prolonger les rayons », coché dans l'onglet « Construction ») qui se "
        "coupent en B'. Le banc de ce corrigé montre la construction ; l'onglet « Objets et "
        "images » affiche la position de l'image, {xA1} cm, et sa hauteur, {h1} cm."))

# 5. The object in the object focal plane ----------------------------------------------------
x = Exercise('plan-focal-objet', "Objet dans le plan focal objet", 1, 2,
             ['Foyer objet, ', "image à l'infini, ", 'diamètre apparent'], True)
x.bench('E', Bench(x1=30.0, f1=10.0, xA=20.0, h=2.0,
                   options={**NO_LIGHT, **NO_IMAGES, **NO_FOCI}))
x.bench('C', x.benches['E'].but(options={3: 1, 5: 0}))
x.variant('F', 'C', xA=19.0)
x.variant('G', 'C', xA=21.0)
x.texts(
    intro(x,
          "Une lentille convergente de centre optique O et de distance focale f' = {f1} cm est "
          "placée à la graduation {x1} cm. On place devant elle un objet AB de hauteur {h} cm, "
          "son pied A à la graduation {xA} cm.",
          "Ni les rayons, ni les foyers, ni l'image ne sont dessinés.")
    + [('note', HIDDEN_NOTE), ('note', ALGEBRAIC_NOTE)]
    + questions(
        "À quelle graduation se trouve le foyer objet F de la lentille ? Que remarquez-vous ?",
        "Que donne la relation de conjugaison 1/bar(OA') = 1/f' + 1/bar(OA) ? Où se forme "
        "l'image ?",
        "Construire sur papier le rayon issu de B qui passe par O et le rayon issu de B "
        "parallèle à l'axe. Comment sont les rayons émergents ?",
        "Un œil placé derrière la lentille voit l'image sous l'angle α' tel que "
        "tan α' = AB/f'. Calculer α'. Pourquoi ce réglage permet-il d'observer sans "
        "fatigue ?",
        "Vérifier : dans l'onglet « Construction », cocher les rayons « passant par le centre "
        "optique O » et « parallèle à l'axe optique ». Déplacer ensuite l'objet à la souris, "
        "un peu avant puis un peu après F : que devient l'image ?"),
    corrected(
        x,
        "F est à la graduation {x1} − {f1} = {x1-f1} cm : le pied A de l'objet est au foyer "
        "objet, l'objet est dans le plan focal objet.",
        "bar(OA) = {xA-x1} cm = −f', donc 1/bar(OA') = 1/{f1} − 1/{x1-xA} = 0 : aucune "
        "distance ne convient, l'image est rejetée à l'infini. Le simulateur affiche "
        "« {@C0} » dans l'onglet « Objets et images ».",
        "Le rayon passant par O n'est pas dévié ; le rayon parallèle à l'axe ressort en "
        "passant par F'. Les deux rayons émergents sont parallèles entre eux : tous les rayons "
        "issus de B ressortent parallèles au rayon BO. (Ceux issus de A ressortent parallèles "
        "à l'axe.)",
        "tan α' = AB/f' = {h}/{f1} = {h/f1|2}, soit α' = {INVTAN(h/f1)|1}°. L'image est à "
        "l'infini : l'œil l'observe sans accommoder, donc sans fatigue. C'est ainsi qu'on "
        "utilise une loupe : l'objet dans son plan focal objet.",
        "L'image change brutalement de côté. Objet un peu avant F, à la graduation {F.xA} cm : "
        "bar(OA') = {F.xA1-F.x1} cm, l'image est réelle et loin à droite. Objet un peu après "
        "F, à la graduation {G.xA} cm : bar(OA') = {G.xA1-G.x1} cm, l'image est virtuelle et "
        "loin à gauche. Le banc de ce corrigé dessine tous les rayons issus de B : ils "
        "ressortent parallèles entre eux."))

# 6. An object at infinity -------------------------------------------------------------------
x = Exercise('objet-infini', "Objet à l'infini, plan focal et diamètre apparent", 2, 2,
             ["Objet à l'infini, ", 'plan focal image, ', 'diamètre apparent'], True)
x.bench('E', Bench(x1=20.0, f1=20.0, decimals=2, infinity=True, apparent=5.0,
                   options={**NO_LIGHT, **NO_IMAGES, **NO_FOCI}))
x.bench('C', x.benches['E'].but(options={}, f1=10.0))
x.texts(
    intro(x,
          "Un objet très éloigné, un immeuble au loin, est vu à l'œil nu sous le diamètre "
          "apparent α = {a|1}° : c'est l'angle entre les rayons qui viennent de son pied A et "
          "ceux qui viennent de son sommet B. Une lentille convergente de centre optique O et "
          "de distance focale f' = {f1} cm est placée à la graduation {x1} cm. Les positions "
          "sont données au centième de centimètre.",
          "Ni les rayons, ni les foyers, ni l'image ne sont dessinés.")
    + [('note', HIDDEN_NOTE), ('note', ALGEBRAIC_NOTE)]
    + questions(
        "Les rayons issus d'un même point de l'objet arrivent parallèles entre eux. Où se "
        "forme l'image A'B' ? En déduire sa graduation.",
        "Le rayon issu de B qui passe par O fait l'angle α avec l'axe. Montrer que la hauteur "
        "de l'image vérifie bar(A'B') = −f' × tan α.",
        "Calculer bar(A'B').",
        "On remplace la lentille par une lentille de distance focale {C.f1} cm, au même "
        "endroit. Où se forme l'image, et quelle est sa taille ?",
        "Vérifier : dans l'onglet « Affichage », cocher « Afficher les images » ; dans "
        "l'onglet « Lentilles », cocher « Afficher les foyers »."),
    corrected(
        x,
        "Les rayons issus d'un point à l'infini arrivent parallèles entre eux ; après la "
        "lentille, ils convergent dans le plan focal image. A' est au foyer image F' : "
        "bar(OA') = f' = {E.f1} cm, à la graduation {E.x1} + {E.f1} = {E.xA1} cm.",
        "Le rayon BO traverse la lentille sans être dévié et coupe le plan focal image en "
        "B'. Dans le triangle OA'B', rectangle en A', tan α = A'B'/OA' = A'B'/f'. L'image est "
        "renversée (B' est sous l'axe), d'où bar(A'B') = −f' × tan α.",
        "bar(A'B') = {-E.f1} × tan {E.a|1}° = {E.h1} cm.",
        "L'image reste dans le plan focal image, désormais à {C.f1} cm de la lentille, à la "
        "graduation {C.xA1} cm ; bar(A'B') = {-C.f1} × tan {C.a|1}° = {C.h1} cm. Avec une "
        "distance focale deux fois plus petite, l'image est deux fois plus petite : sa "
        "taille est proportionnelle à f'. Le banc de ce corrigé montre ce cas.",
        "L'image est dessinée dans le plan focal image, au foyer F'."))

# 7. The reduced eye --------------------------------------------------------------------------
x = Exercise('oeil', "L'œil réduit et l'accommodation", 2, 2,
             ['Œil réduit, ', 'accommodation, ', 'vergence, ', 'punctum proximum'], True)
x.bench('E', Bench(x1=45.0, f1=1.7, xA=20.0, h=2.0, d1=2.0, decimals=2, axis=50,
                   options={**NO_LIGHT, **NO_IMAGES}))
x.bench('C', x.benches['E'].but(options={}, f1=1.59))
x.texts(
    intro(x,
          "On modélise l'œil par un œil réduit : le cristallin est une lentille convergente "
          "de centre optique O, la rétine un écran placé derrière elle à une distance fixe OR "
          "(R est le point de la rétine sur l'axe). Sur le banc, le cristallin est à la "
          "graduation {x1} cm et la rétine à la graduation {x1+f1} cm.",
          "Au repos, l'œil voit nettement les objets très éloignés ; sa distance focale est "
          "alors f' = {f1} cm. La vergence d'une lentille est V = 1/f', f' en mètres ; elle "
          "s'exprime en dioptries (δ).",
          "L'œil regarde un objet AB, de hauteur {h} cm, placé à son punctum proximum, le point "
          "le plus proche qu'il puisse voir nettement : à {x1-xA} cm, à la graduation {xA} cm. "
          "L'image n'est pas dessinée.")
    + [('note', HIDDEN_NOTE), ('note', ALGEBRAIC_NOTE)]
    + questions(
        "Pourquoi la distance focale de l'œil au repos est-elle égale à OR ? Calculer sa "
        "vergence V_0.",
        "Si l'œil restait au repos (f' = {f1} cm), où se formerait l'image de AB ? "
        "Serait-elle nette ?",
        "Pour voir net, l'œil accommode : le cristallin se bombe et sa vergence augmente. "
        "Quelle vergence V faut-il pour que l'image se forme sur la rétine ? Quelle est alors "
        "la distance focale du cristallin ?",
        "L'amplitude d'accommodation est A = V − V_0. La calculer.",
        "Vérifier : dans l'onglet « Affichage », cocher « Afficher les images ». Où est "
        "l'image ? Dans l'onglet « Lentilles », donner ensuite à la distance focale la valeur "
        "trouvée à la question 3 et regarder de nouveau.",
        "Avec l'âge, l'amplitude d'accommodation diminue. Pour une personne dont l'amplitude "
        "n'est plus que {1.0|1} δ, à quelle distance de l'œil se trouve le punctum "
        "proximum ?"),
    corrected(
        x,
        "L'image d'un objet très éloigné se forme dans le plan focal image. Pour qu'elle soit "
        "sur la rétine, il faut F' = R, donc f' = OR = {E.f1} cm = {E.f1/100|4} m et "
        "V_0 = 1/{E.f1/100|4} = {100/E.f1|1} δ.",
        "bar(OA) = {E.xA-E.x1} cm ; 1/bar(OA') = 1/{E.f1} + 1/({E.xA-E.x1}), soit "
        "bar(OA') = {E.xA1-E.x1} cm : l'image se formerait {E.xA1-E.x1-E.f1} cm derrière la "
        "rétine, à la graduation {E.xA1} cm. Sur la rétine, l'objet serait flou.",
        "Il faut bar(OA') = OR = {E.f1/100|4} m, donc V = 1/bar(OA') − 1/bar(OA) = "
        "1/{E.f1/100|4} − 1/({(E.xA-E.x1)/100|3}) = {100/E.f1|1} + "
        "{-100/(E.xA-E.x1)|1} = {100/E.f1-100/(E.xA-E.x1)|1} δ, et f' = 1/V = "
        "{1/(100/E.f1-100/(E.xA-E.x1))|4} m = {1/(1/E.f1-1/(E.xA-E.x1))} cm.",
        "A = V − V_0 = {-100/(E.xA-E.x1)|1} δ.",
        "Avec f' = {E.f1} cm, l'image est derrière la rétine, à la graduation {E.xA1} cm. Avec "
        "f' = {C.f1} cm (banc de ce corrigé), elle est à la graduation {C.xA1} cm, sur la "
        "rétine : l'image est nette.",
        "Au plus, V = V_0 + {1.0|1} δ. Sur la rétine, 1/bar(OA) = 1/bar(OA') − V = "
        "V_0 − V = {-1.0|1} δ, donc bar(OA) = {-1.0|1} m : le punctum proximum est à un "
        "mètre. C'est la presbytie : des verres convergents aident à lire de près."))

# 8. Vergence and lenses in contact -----------------------------------------------------------
x = Exercise('vergence', "Vergence et lentilles accolées", 2, 2,
             ['Vergence, ', 'dioptrie, ', 'lentilles accolées'], True)
x.bench('E', Bench(x1=24.0, f1=20.0, x2=24.1, f2=30.0, xA=0.0, h=2.0,
                   options={**NO_LIGHT, **NO_IMAGES, **TWO_LENSES}))
x.bench('C', x.benches['E'].but(options={}, f1=12.0))
x.texts(
    intro(x,
          "La vergence d'une lentille est V = 1/f', f' en mètres ; elle s'exprime en dioptries "
          "(δ). Deux lentilles minces accolées se comportent comme une seule lentille, dont la "
          "vergence est la somme de leurs vergences : V = V_1 + V_2.",
          "Sur le banc, deux lentilles convergentes sont presque accolées : L_1 "
          "(f'_1 = {f1} cm) à la graduation {x1} cm, et L_2 (f'_2 = {f2} cm) à la graduation "
          "{x2} cm. Le simulateur ne peut pas les superposer ; on néglige l'écart de "
          "{x2-x1} cm et on les considère accolées en O, à la graduation {x1} cm. Un objet AB "
          "de hauteur {h} cm a son pied A à la graduation {xA} cm. L'image n'est pas dessinée.")
    + [('note', HIDDEN_NOTE), ('note', ALGEBRAIC_NOTE)]
    + questions(
        "Calculer les vergences V_1 et V_2, puis la vergence V des deux lentilles accolées "
        "et leur distance focale f'.",
        "Calculer bar(OA), puis, avec la lentille équivalente, bar(OA') et la graduation de "
        "l'image A'B'.",
        "Calculer le grandissement γ et la hauteur bar(A'B') de l'image.",
        "Vérifier : dans l'onglet « Affichage », cocher « Afficher les images » ; l'image "
        "finale A_2B_2 se forme-t-elle à la graduation trouvée ? Puis, dans l'onglet "
        "« Lentilles », décocher « Utiliser deux lentilles » et donner à L_1 la distance "
        "focale f' calculée : où est maintenant l'image ?"),
    corrected(
        x,
        "V_1 = 1/{E.f1/100|3} = {100/E.f1|1} δ ; V_2 = 1/{E.f2/100|3} = {100/E.f2|2} δ ; "
        "V = V_1 + V_2 = {100/E.f1+100/E.f2|2} δ ; f' = 1/V = {1/(100/E.f1+100/E.f2)|3} m, "
        "soit {C.f1} cm.",
        "bar(OA) = {C.xA-C.x1} cm ; 1/bar(OA') = 1/f' + 1/bar(OA) = 1/{C.f1} + "
        "1/({C.xA-C.x1}) = {1/(C.xA1-C.x1)|frac}, donc bar(OA') = {C.xA1-C.x1} cm : l'image "
        "est à la graduation {C.xA1} cm.",
        "γ = bar(OA')/bar(OA) = {(C.xA1-C.x1)/(C.xA-C.x1)} et bar(A'B') = γ × bar(AB) = "
        "{C.h1} cm : l'image est réelle, renversée, de même taille que l'objet.",
        "Avec les deux lentilles presque accolées, le simulateur place l'image finale A_2B_2 "
        "à la graduation {E.xA2} cm, de hauteur {E.h2} cm : l'écart de {E.x2-E.x1} cm entre "
        "les lentilles la décale d'autant. Avec une seule lentille de distance focale "
        "{C.f1} cm (banc de ce corrigé), l'image est à la graduation {C.xA1} cm, de hauteur "
        "{C.h1} cm : les deux lentilles accolées équivalent bien à une lentille de vergence "
        "V_1 + V_2."))

# 9. A focal distance from two measurements ---------------------------------------------------
x = Exercise('focale', "Mesurer une distance focale par deux mesures", 2, 2,
             ['Mesure de distance focale, ', 'relation de conjugaison'], True)
x.bench('E', Bench(x1=30.0, f1=12.0, xA=0.0, h=2.0,
                   options={**NO_LIGHT, **NO_IMAGES, **NO_FOCI}))
x.bench('C', x.benches['E'].but(options={}, xA=6.0))
x.texts(
    intro(x,
          "On ne connaît pas la distance focale f' d'une lentille convergente. Pour la "
          "mesurer, on forme sur un écran l'image nette d'un objet AB de hauteur {h} cm. Deux "
          "mesures ont été faites.",
          "Mesure 1 : le pied A de l'objet est à la graduation {xA} cm et la lentille à la "
          "graduation {x1} cm. En déplaçant l'écran, on obtient une image nette quand il est à "
          "la graduation {xA1} cm.",
          "Mesure 2 : la lentille reste à la graduation {x1} cm et l'objet est avancé à la "
          "graduation {C.xA} cm. L'image nette se forme alors à la graduation {C.xA1} cm.",
          "La figure montre la mesure 1, sans foyers ni image. La distance focale est affichée "
          "dans l'onglet « Lentilles » : ne l'ouvrez qu'à la dernière question.")
    + [('note', "Les valeurs de l'image sont cachées (« ? ») dans l'onglet « Objets et "
                "images » jusqu'à « Voir la correction » (bouton « Exercices ») : les mesures "
                "ci-dessus en tiennent lieu."), ('note', ALGEBRAIC_NOTE)]
    + questions(
        "Mesure 1 : calculer bar(OA) et bar(OA'), puis f' à l'aide de la relation de "
        "conjugaison 1/bar(OA') − 1/bar(OA) = 1/f'.",
        "Faire de même avec la mesure 2. Les deux résultats sont-ils cohérents ?",
        "Mesure 1 : calculer le grandissement γ et la hauteur bar(A'B') de l'image.",
        "Vérifier : dans l'onglet « Affichage », cocher « Afficher les images » ; puis, dans "
        "l'onglet « Objets et images », taper {C.xA} dans le champ « Position (cm) » de l'objet "
        "et appuyer sur Entrée. L'image se forme-t-elle aux graduations mesurées ?",
        "Pour finir, ouvrir l'onglet « Lentilles » et lire la distance focale de L_1."),
    corrected(
        x,
        "bar(OA) = {E.xA} − {E.x1} = {E.xA-E.x1} cm et bar(OA') = {E.xA1} − {E.x1} = "
        "{E.xA1-E.x1} cm. 1/f' = 1/bar(OA') − 1/bar(OA) = 1/{E.xA1-E.x1} + 1/{E.x1-E.xA} = "
        "{1/(E.xA1-E.x1)-1/(E.xA-E.x1)|frac}, donc f' = "
        "{1/(1/(E.xA1-E.x1)-1/(E.xA-E.x1))} cm.",
        "bar(OA) = {C.xA-C.x1} cm et bar(OA') = {C.xA1-C.x1} cm : 1/f' = 1/{C.xA1-C.x1} + "
        "1/{C.x1-C.xA} = {1/(C.xA1-C.x1)-1/(C.xA-C.x1)|frac}, donc f' = "
        "{1/(1/(C.xA1-C.x1)-1/(C.xA-C.x1))} cm. Les deux mesures donnent la même valeur. Sur "
        "un vrai banc, chaque mesure a son incertitude : on en fait plusieurs et on compare.",
        "γ = bar(OA')/bar(OA) = {E.xA1-E.x1}/({E.xA-E.x1}) = {(E.xA1-E.x1)/(E.xA-E.x1)|frac} ≈ "
        "{(E.xA1-E.x1)/(E.xA-E.x1)|2} ; bar(A'B') = γ × bar(AB) = "
        "({(E.xA1-E.x1)/(E.xA-E.x1)|frac}) × {E.h} = {E.h1|2} cm.",
        "L'image se forme bien aux graduations {E.xA1} cm puis {C.xA1} cm. Le banc de ce "
        "corrigé montre la mesure 2, avec les foyers.",
        "L'onglet « Lentilles » affiche la distance focale {C.f1} cm."))

# 10. The projector ---------------------------------------------------------------------------
x = Exercise('projecteur', "Le projecteur et son grand grandissement", 2, 2,
             ['Projecteur, ', 'grandissement, ', "distance de l'écran"], True)
x.bench('E', Bench(x1=20.0, f1=10.0, xA=5.0, h=1.6, decimals=2, axis=300,
                   options={**NO_LIGHT, **NO_IMAGES}))
x.bench('C', x.benches['E'].but(options={}, xA=9.6))
x.variant('F', 'C', xA=9.75)
x.texts(
    intro(x,
          "Un projecteur forme sur un écran une image agrandie d'une diapositive. Son objectif "
          "est une lentille convergente de centre optique O et de distance focale "
          "f' = {f1} cm, placée à la graduation {x1} cm. L'écran est à {(C.xA1-C.x1)/100|2} m "
          "de l'objectif, à la graduation {C.xA1} cm ; l'axe mesure 3 m.",
          "Sur la diapositive, un objet AB, le pied A sur l'axe, mesure {h} cm. Sur la figure, "
          "la diapositive est placée au hasard, à la graduation {xA} cm : à vous de trouver où "
          "la mettre. L'image n'est pas dessinée.")
    + [('note', HIDDEN_NOTE), ('note', ALGEBRAIC_NOTE)]
    + questions(
        "Que doit valoir bar(OA') pour que l'image se forme sur l'écran ? En déduire bar(OA), "
        "puis la graduation où placer la diapositive.",
        "Calculer le grandissement γ et la hauteur bar(A'B') de l'image sur l'écran. Comment "
        "faut-il placer la diapositive dans le projecteur pour que l'image soit à l'endroit ?",
        "Montrer que γ = 1 − bar(OA')/f'. Pourquoi l'objectif d'un projecteur a-t-il une "
        "courte distance focale ?",
        "Dans une salle plus grande, l'écran est à {(F.xA1-F.x1)/100|2} m de l'objectif. De "
        "combien, et dans quel sens, faut-il déplacer la diapositive ? Quelle est alors la "
        "hauteur de l'image ?",
        "Vérifier : dans l'onglet « Objets et images », taper la graduation trouvée à la "
        "question 1 dans le champ « Position (cm) » de l'objet et appuyer sur Entrée, puis "
        "cocher « Afficher les images » dans l'onglet « Affichage »."),
    corrected(
        x,
        "L'image doit être sur l'écran : bar(OA') = {C.xA1-C.x1} cm. Alors 1/bar(OA) = "
        "1/bar(OA') − 1/f' = 1/{C.xA1-C.x1} − 1/{C.f1} = {1/(C.xA-C.x1)|frac}, soit "
        "bar(OA) = {C.xA-C.x1} cm : la diapositive est juste avant le foyer objet, à la "
        "graduation {C.xA} cm.",
        "γ = bar(OA')/bar(OA) = {C.xA1-C.x1}/({C.xA-C.x1}) = {(C.xA1-C.x1)/(C.xA-C.x1)|1} "
        "et bar(A'B') = γ × bar(AB) = {(C.xA1-C.x1)/(C.xA-C.x1)|1} × {C.h} = {C.h1} cm. "
        "L'image est renversée : on place la diapositive tête en bas (et retournée de gauche à "
        "droite) pour que l'image soit à l'endroit.",
        "La relation de conjugaison donne 1/bar(OA) = 1/bar(OA') − 1/f' ; donc "
        "γ = bar(OA')/bar(OA) = bar(OA') × (1/bar(OA') − 1/f') = 1 − bar(OA')/f'. Ici "
        "γ = 1 − {C.xA1-C.x1}/{C.f1} = {(C.xA1-C.x1)/(C.xA-C.x1)|1}. Pour un écran donné, "
        "l'image est d'autant plus grande que f' est petite.",
        "bar(OA') = {F.xA1-F.x1} cm donne bar(OA) = {F.xA-F.x1} cm : il faut rapprocher la "
        "diapositive de l'objectif de {F.xA-C.xA} cm, à la graduation {F.xA} cm. Alors "
        "γ = 1 − {F.xA1-F.x1}/{F.f1} = {(F.xA1-F.x1)/(F.xA-F.x1)|1} et bar(A'B') = "
        "{F.h1} cm. Un petit déplacement de la diapositive déplace beaucoup l'image : la mise "
        "au point d'un projecteur est délicate.",
        "Le banc de ce corrigé montre la diapositive à la graduation {C.xA} cm : l'image se "
        "forme sur l'écran, à la graduation {C.xA1} cm, et mesure {C.h1} cm."))

# 11. The camera ------------------------------------------------------------------------------
x = Exercise('appareil-photo', "L'appareil photographique et la mise au point", 2, 3,
             ['Appareil photographique, ', 'mise au point, ', 'tirage'], True)
x.bench('E', Bench(x1=50.0, f1=5.0, xA=0.0, h=4.0, d1=4.0, decimals=2,
                   options={**NO_LIGHT, **NO_IMAGES, **NO_FOCI}))
x.bench('C', x.benches['E'].but(options={}, xA=35.0))
x.texts(
    intro(x,
          "L'objectif d'un appareil photographique est modélisé par une lentille convergente "
          "de centre optique O et de distance focale f' = {f1} cm, à la graduation {x1} cm. "
          "Derrière lui, le capteur joue le rôle d'un écran. On appelle tirage la distance "
          "entre l'objectif et le capteur ; pour faire la mise au point, on règle le tirage en "
          "avançant ou en reculant l'objectif. Les positions sont données au centième de "
          "centimètre.",
          "Ni les foyers ni l'image ne sont dessinés.")
    + [('note', HIDDEN_NOTE), ('note', ALGEBRAIC_NOTE)]
    + questions(
        "On photographie un paysage très éloigné. Quel doit être le tirage ?",
        "On photographie maintenant un objet AB de hauteur {h} cm dont le pied A est à la "
        "graduation {xA} cm. Calculer bar(OA'), la graduation et la hauteur de l'image. "
        "Quel est le tirage ?",
        "L'objet est rapproché : son pied est maintenant à {C.x1-C.xA} cm de l'objectif, à la "
        "graduation {C.xA} cm. Calculer la nouvelle position et la hauteur de l'image.",
        "L'objet reste à {C.x1-C.xA} cm de l'objectif. De combien faut-il augmenter le "
        "tirage par rapport à la question 2 ? Dans quel sens déplace-t-on l'objectif par "
        "rapport au capteur ?",
        "Vérifier : dans l'onglet « Affichage », cocher « Afficher les images » ; puis, dans "
        "l'onglet « Objets et images », taper {C.xA} dans le champ « Position (cm) » de "
        "l'objet et appuyer sur Entrée."),
    corrected(
        x,
        "L'image d'un objet très éloigné se forme dans le plan focal image : le tirage est "
        "égal à f' = {E.f1} cm.",
        "bar(OA) = {E.xA-E.x1} cm ; 1/bar(OA') = 1/{E.f1} + 1/({E.xA-E.x1}) = "
        "{1/(E.xA1-E.x1)|frac}, donc bar(OA') = {E.xA1-E.x1} cm : l'image est à la graduation "
        "{E.xA1} cm et bar(A'B') = {E.h1} cm. Le tirage vaut {E.xA1-E.x1} cm.",
        "bar(OA) = {C.xA-C.x1} cm ; 1/bar(OA') = 1/{C.f1} + 1/({C.xA-C.x1}) = "
        "{1/(C.xA1-C.x1)|frac}, donc bar(OA') = {C.xA1-C.x1} cm : l'image est à la graduation "
        "{C.xA1} cm et bar(A'B') = {C.h1} cm (banc de ce corrigé).",
        "Le tirage passe de {E.xA1-E.x1} cm à {C.xA1-C.x1} cm : il augmente de "
        "{C.xA1-C.x1-(E.xA1-E.x1)} cm. On éloigne l'objectif du capteur : pour photographier "
        "de près, l'objectif s'avance.",
        "L'image se forme à la graduation {C.xA1} cm. Un capteur resté à la graduation "
        "{E.xA1} cm recevrait une image floue : il faut refaire la mise au point."))

# 12. A series of measurements, taken in the measurements window ---------------------------
x = Exercise('serie-de-mesures', "Une série de mesures et le graphique de conjugaison", 2, 3,
             ['Série de mesures, ', "graphique 1/OA' en fonction de 1/OA, ", 'vergence, ',
              'incertitude'], False)
x.bench('E', Bench(x1=50.0, f1=12.5, xA=0.0, h=2.0, decimals=2, axis=90,
                   options={1: 0, 13: 0, 14: 0, **NO_FOCI}))
x.bench('C', x.benches['E'].but(options={}))
SERIES = 'FGHIJ'
SERIES_HEADER = ["Graduation\nde A (cm)", "bar(OA)\n(cm)", "bar(OA')\n(cm)", "1/bar(OA)\n(m^{−1})",
                 "1/bar(OA')\n(m^{−1})"]
for letter, position in zip(SERIES, (0.0, 10.0, 20.0, 25.0, 30.0)):
    x.variant(letter, 'E', xA=position)
# The vergence from any one measurement, and the slope from the first and the last.
VERGENCE = '100/(H.xA1-H.x1)-100/(H.xA-H.x1)'
SLOPE = '(100/(J.xA1-J.x1)-100/(F.xA1-F.x1))/(100/(J.xA-J.x1)-100/(F.xA-F.x1))'
x.texts(
    intro(x,
          "On vérifie la relation de conjugaison 1/bar(OA') − 1/bar(OA) = 1/f' par une série "
          "de mesures, et on en tire la distance focale d'une lentille convergente. La "
          "lentille est à la graduation {x1} cm ; sa distance focale est inconnue : les foyers "
          "ne sont pas dessinés, et l'onglet « Lentilles », qui l'affiche, ne doit être ouvert "
          "qu'à la dernière question. L'objet AB mesure {h} cm.",
          "Pour chaque graduation du pied A de l'objet donnée dans le tableau, taper la valeur "
          "dans le champ « Position (cm) » de l'onglet « Objets et images », appuyer sur "
          "Entrée, et lire la position de l'image A'B' (la graduation de A') dans le même "
          "onglet. Appuyer ensuite sur Ctrl+M : la mesure s'ajoute au tableau de la fenêtre "
          "« Mesures » (qu'ouvre aussi le bouton « Mesures » de l'onglet), qui calcule "
          "1/bar(OA) et 1/bar(OA') et trace le graphique.")
    + [('note', ALGEBRAIC_NOTE)]
    + [('table', [SERIES_HEADER] + [['{' + b + '.xA}', '', '', '', ''] for b in SERIES])]
    + questions(
        "Faire les mesures et remplir les trois premières colonnes du tableau. Ajouter chaque "
        "mesure à la fenêtre « Mesures » (Ctrl+M).",
        "Calculer 1/bar(OA) et 1/bar(OA'), les distances étant exprimées en mètres, et "
        "remplir les deux dernières colonnes. Comparer avec le tableau de la fenêtre "
        "« Mesures ».",
        "Tracer sur papier millimétré le graphique de 1/bar(OA') en fonction de 1/bar(OA), "
        "et le comparer à celui de la fenêtre « Mesures » (vue « 1/OA' = f(1/OA) »). Quelle "
        "est l'allure de la courbe ?",
        "Montrer que la relation de conjugaison prévoit une droite. Quels doivent être son "
        "coefficient directeur et son ordonnée à l'origine ?",
        "Lire l'ordonnée à l'origine sur votre graphique. En déduire la vergence V de la "
        "lentille, puis sa distance focale f'. Comparer avec la droite que la fenêtre "
        "« Mesures » ajuste aux points, « 1/OA' = a × 1/OA + b ».",
        "Sur un vrai banc, on ne repère la position de l'image nette qu'à quelques "
        "millimètres près. Dans la fenêtre « Mesures », cliquer « Effacer tout », cocher "
        "« Incertitude de lecture » et choisir ± {0.5|1} cm, puis, avec « Série automatique… », "
        "mesurer de la graduation {F.xA} cm à la graduation {J.xA} cm en 16 mesures. Que "
        "deviennent les points, la droite et l'incertitude-type u(V) de la vergence ?",
        "Pour finir, ouvrir l'onglet « Lentilles » et comparer avec la distance focale "
        "affichée."),
    [('title', f"Corrigé de l'exercice {x.number}"),
     ('text', "Les mesures et les valeurs calculées :"),
     ('table', [SERIES_HEADER]
        + [['{' + b + '.xA}', '{' + b + '.xA-' + b + '.x1}', '{' + b + '.xA1-' + b + '.x1}',
            '{100/(' + b + '.xA-' + b + '.x1)}', '{100/(' + b + '.xA1-' + b + '.x1)}']
           for b in SERIES])]
    + questions(
        "La lentille est à la graduation {C.x1} cm : bar(OA) est la graduation de A moins "
        "{C.x1} cm, et bar(OA') la graduation de A' lue dans l'onglet moins {C.x1} cm (voir "
        "le tableau). La fenêtre « Mesures » donne les mêmes valeurs.",
        "Par exemple, pour le pied de l'objet à la graduation {F.xA} cm : bar(OA) = "
        "{F.xA-F.x1} cm = {(F.xA-F.x1)/100} m, donc 1/bar(OA) = {100/(F.xA-F.x1)} m^{−1}.",
        "Les points sont alignés : le graphique est une droite, comme dans la fenêtre "
        "« Mesures ».",
        "La relation s'écrit 1/bar(OA') = 1/bar(OA) + 1/f' : c'est une droite de "
        "coefficient directeur 1 et d'ordonnée à l'origine 1/f' = V.",
        "Sur chaque ligne, 1/bar(OA') − 1/bar(OA) = {" + VERGENCE + "} m^{−1} : l'ordonnée à "
        "l'origine est V = {" + VERGENCE + "|1} δ, donc f' = 1/V = {1/(" + VERGENCE + ")|3} m "
        "= {1/(1/(H.xA1-H.x1)-1/(H.xA-H.x1))|1} cm. La fenêtre « Mesures » trouve la même "
        "droite, de coefficient directeur a = {" + SLOPE + "|3}, et V = b = {" + VERGENCE
        + "} δ, f' = 1/V = {1/(1/(H.xA1-H.x1)-1/(H.xA-H.x1))} cm.",
        "Les points s'écartent de la droite, de part et d'autre. La droite ajustée change "
        "peu, car les erreurs se compensent en partie, mais u(V) n'est plus négligeable : on "
        "écrit le résultat V ± u(V). Plus il y a de mesures, plus l'incertitude est petite : "
        "c'est pourquoi on fait une série de mesures plutôt qu'une seule.",
        "L'onglet « Lentilles » affiche la distance focale {C.f1} cm. Le banc de ce corrigé "
        "montre les foyers et les rayons de construction."))

# 13. Bessel's method -------------------------------------------------------------------------
x = Exercise('bessel', "La méthode de Bessel", 3, 3,
             ['Focométrie, ', 'méthode de Bessel, ', 'méthode de Silbermann'], False)
x.bench('E', Bench(x1=30.0, f1=12.0, xA=0.0, h=2.0, axis=70,
                   options={1: 0, 13: 0, 14: 0, **NO_FOCI}))
x.bench('C', x.benches['E'].but(options={}, x1=16.0))
x.variant('F', 'C', x1=48.0)
x.texts(
    intro(x,
          "Méthode de Bessel : l'objet et l'écran sont fixes, à la distance D l'un de l'autre ; "
          "on cherche les positions de la lentille qui donnent une image nette sur l'écran.",
          "Le pied A de l'objet AB est à la graduation {xA} cm et l'écran à la graduation "
          "{C.xA1} cm : D = {C.xA1-C.xA} cm. La distance focale f' de la lentille est "
          "inconnue : les foyers ne sont pas dessinés, et l'onglet « Lentilles », qui "
          "l'affiche, ne doit être ouvert qu'à la dernière question.")
    + [('note', ALGEBRAIC_NOTE)]
    + questions(
        "Faire glisser la lentille à la souris (ou, après un clic sur la figure, avec les "
        "flèches du clavier) en suivant la position de l'image dans l'onglet « Objets et "
        "images ». Trouver les deux positions x_1 et x_2 de la lentille pour lesquelles "
        "l'image se forme sur l'écran. Dans chaque cas, l'image est-elle agrandie ou "
        "réduite ?",
        "Montrer que, d'une position à l'autre, les distances objet-lentille et "
        "lentille-écran sont échangées.",
        "On pose d = x_2 − x_1. Montrer que f' = (D² − d²)/(4D), puis calculer f'.",
        "Montrer qu'il n'existe de position convenable que si D ≥ 4f'. Que se passe-t-il "
        "quand D = 4f' (méthode de Silbermann) ?",
        "Pour finir, ouvrir l'onglet « Lentilles » et lire la distance focale. Quelle est la "
        "plus petite distance objet-écran qui permette de former une image nette avec "
        "cette lentille ?"),
    corrected(
        x,
        "L'image est sur l'écran pour x_1 = {C.x1} cm et x_2 = {F.x1} cm. En x_1 : "
        "bar(OA) = {C.xA-C.x1} cm, bar(OA') = {C.xA1-C.x1} cm, γ_1 = "
        "{(C.xA1-C.x1)/(C.xA-C.x1)|1} : l'image est agrandie. En x_2 : bar(OA) = "
        "{F.xA-F.x1} cm, bar(OA') = {F.xA1-F.x1} cm, γ_2 = {(F.xA1-F.x1)/(F.xA-F.x1)|frac} : "
        "elle est réduite.",
        "La relation de conjugaison ne change pas quand on échange −bar(OA) et bar(OA') "
        "(c'est le retour inverse de la lumière) : si la lentille donne une image nette à une "
        "place, elle en donne une à la place symétrique par rapport au milieu de l'objet et "
        "de l'écran. Les grandissements sont alors inverses : γ_1 × γ_2 = 1.",
        "Posons s = −bar(OA) > 0 et s' = bar(OA') > 0. On a s + s' = D et 1/s + 1/s' = 1/f', "
        "donc s s' = f' D. Comme s' − s = ±d, D² − d² = (s + s')² − (s' − s)² = 4 s s' = "
        "4 f' D, d'où f' = (D² − d²)/(4D). Ici d = {F.x1} − {C.x1} = {F.x1-C.x1} cm et "
        "f' = ({C.xA1-C.xA}² − {F.x1-C.x1}²)/(4 × {C.xA1-C.xA}) = "
        "{((C.xA1-C.xA)*(C.xA1-C.xA)-(F.x1-C.x1)*(F.x1-C.x1))/(4*(C.xA1-C.xA))} cm.",
        "s et s' sont les racines de X² − D X + f' D = 0 : elles existent si "
        "D² − 4 f' D ≥ 0, soit D ≥ 4f'. Pour D = 4f', les deux positions se confondent au "
        "milieu, s = s' = 2f' et γ = −1 : c'est la méthode de Silbermann, où l'on rapproche "
        "l'écran jusqu'à n'avoir plus qu'une position ; alors f' = D/4.",
        "L'onglet « Lentilles » affiche f' = {C.f1} cm. La distance objet-écran doit être au "
        "moins 4f' = {4*C.f1} cm. Le banc de ce corrigé montre la lentille en x_1, avec ses "
        "foyers."))

# 14. The microscope --------------------------------------------------------------------------
x = Exercise('microscope', "Le microscope, une association de deux lentilles", 3, 3,
             ['Association de deux lentilles, ', 'image intermédiaire, ', 'microscope, ',
              'grossissement'], True)
x.bench('E', Bench(x1=10.0, f1=4.0, x2=35.0, f2=5.0, xA=5.0, h=0.5,
                   options={**NO_LIGHT, **NO_IMAGES, **TWO_LENSES}))
x.bench('C', x.benches['E'].but(options=TWO_LENSES_SHOWN))
x.texts(
    intro(x,
          "Un microscope est formé de deux lentilles convergentes : l'objectif L_1, de "
          "distance focale f'_1 = {f1} cm, à la graduation {x1} cm, et l'oculaire L_2, de "
          "distance focale f'_2 = {f2} cm, à la graduation {x2} cm. L'objet AB, de hauteur "
          "{h} cm, a son pied A à la graduation {xA} cm. L'objectif en donne une image "
          "intermédiaire A_1B_1, que l'on observe à travers l'oculaire. Les images ne sont pas "
          "dessinées.")
    + [('note', HIDDEN_NOTE), ('note', ALGEBRAIC_NOTE)]
    + questions(
        "Calculer bar(O_1A_1) et la graduation de A_1, puis le grandissement γ_1 de "
        "l'objectif et la hauteur bar(A_1B_1).",
        "A_1B_1 sert d'objet à L_2. Calculer bar(O_2A_1). Où est A_1 par rapport au foyer "
        "objet F_2 de l'oculaire ? En déduire où se forme l'image finale A_2B_2. Pourquoi ce "
        "réglage convient-il à l'œil ?",
        "L'œil, placé derrière l'oculaire, voit l'image finale sous l'angle α' tel que "
        "tan α' = A_1B_1/f'_2. Calculer α'.",
        "À l'œil nu, on voit l'objet au mieux à 25 cm (punctum proximum), sous l'angle α tel "
        "que tan α = AB/(25 cm). Calculer α, puis le grossissement du microscope, défini "
        "ici par G = tan α'/tan α.",
        "Vérifier : dans l'onglet « Affichage », cocher « Afficher les images ». Quelles "
        "images le simulateur dessine-t-il ?"),
    corrected(
        x,
        "bar(O_1A) = {xA-x1} cm ; 1/bar(O_1A_1) = 1/{f1} + 1/({xA-x1}) = "
        "{1/(xA1-x1)|frac}, donc bar(O_1A_1) = {xA1-x1} cm : A_1 est à la graduation "
        "{xA1} cm. γ_1 = {xA1-x1}/({xA-x1}) = {(xA1-x1)/(xA-x1)} et bar(A_1B_1) = "
        "γ_1 × bar(AB) = {h1} cm.",
        "bar(O_2A_1) = {xA1} − {x2} = {xA1-x2} cm = −f'_2 : A_1 est au foyer objet F_2 de "
        "l'oculaire, donc l'image finale est rejetée à l'infini (le simulateur affiche "
        "« {@C2} » pour A_2B_2). L'œil l'observe sans accommoder, donc sans fatigue.",
        "tan α' = A_1B_1/f'_2 = {-h1}/{f2} = {-h1/f2|2}, soit α' = {INVTAN(-h1/f2)|1}°.",
        "tan α = {h}/25 = {h/25|3}, soit α = {INVTAN(h/25)|2}° ; G = tan α'/tan α = "
        "{-h1/f2|2}/{h/25|3} = {(-h1/f2)/(h/25)|1}. On retrouve G = |γ_1| × 25/f'_2 = "
        "{-(xA1-x1)/(xA-x1)} × {25/f2} = {-(xA1-x1)/(xA-x1)*25/f2} : l'objectif agrandit "
        "l'objet, l'oculaire sert de loupe pour observer son image.",
        "Le simulateur dessine l'image intermédiaire A_1B_1, au foyer F_2 ; l'image finale, à "
        "l'infini, ne peut pas être dessinée : les rayons sortent de l'oculaire parallèles "
        "entre eux. Le banc de ce corrigé le montre."))

# 15. A virtual object ------------------------------------------------------------------------
x = Exercise('objet-virtuel', "Un objet virtuel pour la seconde lentille", 3, 3,
             ['Association de deux lentilles, ', 'objet virtuel'], True)
x.bench('E', Bench(x1=20.0, f1=10.0, x2=30.0, f2=15.0, xA=0.0, h=2.0,
                   options={**NO_LIGHT, **NO_IMAGES, **TWO_LENSES}))
x.bench('C', x.benches['E'].but(options=TWO_LENSES_SHOWN))
x.texts(
    intro(x,
          "Une lentille convergente L_1 (f'_1 = {f1} cm) est placée à la graduation {x1} cm, "
          "et une lentille convergente L_2 (f'_2 = {f2} cm) à la graduation {x2} cm. Un "
          "objet AB de hauteur {h} cm a son pied A à la graduation {xA} cm. Les images ne sont "
          "pas dessinées.")
    + [('note', HIDDEN_NOTE), ('note', ALGEBRAIC_NOTE)]
    + questions(
        "Calculer la position et la hauteur de l'image A_1B_1 que donnerait L_1 seule.",
        "La lumière rencontre L_2 avant d'avoir formé A_1B_1. Calculer bar(O_2A_1). Pourquoi "
        "dit-on que A_1B_1 est un objet virtuel pour L_2 ?",
        "La relation de conjugaison s'applique aussi à un objet virtuel. Calculer "
        "bar(O_2A_2) et la graduation de l'image finale A_2B_2. Est-elle réelle ?",
        "Calculer le grandissement γ_2 de L_2, la hauteur bar(A_2B_2) et le grandissement "
        "γ = γ_1 × γ_2 de l'ensemble.",
        "Vérifier : cocher « Afficher les images » dans l'onglet « Affichage », puis, dans "
        "l'onglet « Construction », les rayons de L_1 « passant par le centre optique O_1 » "
        "et « parallèle à l'axe optique ». Où les prolongements en pointillés montrent-ils "
        "B_1 ?"),
    corrected(
        x,
        "bar(O_1A) = {xA-x1} cm ; 1/bar(O_1A_1) = 1/{f1} + 1/({xA-x1}) = "
        "{1/(xA1-x1)|frac}, donc bar(O_1A_1) = {xA1-x1} cm : A_1 serait à la graduation "
        "{xA1} cm, avec γ_1 = {(xA1-x1)/(xA-x1)} et bar(A_1B_1) = {h1} cm.",
        "bar(O_2A_1) = {xA1} − {x2} = {xA1-x2} cm > 0 : A_1 est après L_2. Les rayons qui "
        "arrivent sur L_2 convergent vers B_1, mais L_2 les dévie avant qu'ils ne s'y "
        "croisent : A_1B_1 n'existe pas réellement, c'est un objet virtuel pour L_2.",
        "1/bar(O_2A_2) = 1/f'_2 + 1/bar(O_2A_1) = 1/{f2} + 1/{xA1-x2} = "
        "{1/(xA2-x2)|frac}, donc bar(O_2A_2) = {xA2-x2} cm : A_2B_2 est à la graduation "
        "{xA2} cm. bar(O_2A_2) > 0 : l'image finale est réelle.",
        "γ_2 = bar(O_2A_2)/bar(O_2A_1) = {xA2-x2}/{xA1-x2} = {(xA2-x2)/(xA1-x2)|2} ; "
        "bar(A_2B_2) = γ_2 × bar(A_1B_1) = {(xA2-x2)/(xA1-x2)|2} × ({h1}) = {h2} cm ; "
        "γ = γ_1 × γ_2 = {(xA1-x1)/(xA-x1)} × {(xA2-x2)/(xA1-x2)|2} = {h2/h|2}.",
        "Entre les lentilles, les rayons convergent vers B_1 ; leurs prolongements en "
        "pointillés, au-delà de L_2, se coupent en B_1, à la graduation {xA1} cm, tandis que "
        "les rayons réels se coupent en B_2. Le banc de ce corrigé le montre."))

# 16. The astronomical telescope --------------------------------------------------------------
x = Exercise('lunette', "La lunette astronomique, un système afocal", 3, 4,
             ['Système afocal, ', 'lunette astronomique, ', 'grossissement'], True)
x.bench('E', Bench(x1=10.0, f1=30.0, x2=50.0, f2=10.0, d2=4.0, decimals=2, infinity=True,
                   apparent=1.0, options={**NO_LIGHT, **NO_IMAGES, **NO_FOCI, **TWO_LENSES}))
x.bench('C', x.benches['E'].but(options=TWO_LENSES_SHOWN))
x.texts(
    intro(x,
          "Une lunette astronomique est formée d'un objectif L_1, de distance focale "
          "f'_1 = {f1} cm, placé à la graduation {x1} cm, et d'un oculaire L_2, de distance "
          "focale f'_2 = {f2} cm, placé à la graduation {x2} cm. On vise deux étoiles "
          "voisines : A est sur l'axe de la lunette, et B est vue à l'œil nu sous l'angle "
          "α = {a|1}° par rapport à A.",
          "Ni les rayons, ni les foyers, ni les images ne sont dessinés.")
    + [('note', HIDDEN_NOTE), ('note', ALGEBRAIC_NOTE)]
    + questions(
        "Les étoiles sont à l'infini. Où se forme l'image intermédiaire A_1B_1 donnée par "
        "l'objectif ? Calculer bar(A_1B_1).",
        "Montrer que le foyer image F'_1 de l'objectif et le foyer objet F_2 de l'oculaire "
        "sont confondus. Où se forme l'image finale ? Pourquoi dit-on que la lunette est "
        "afocale ?",
        "L'œil voit l'image finale sous l'angle α' tel que tan α' = A_1B_1/f'_2. Calculer α', "
        "puis le grossissement G = α'/α.",
        "Montrer que, pour de petits angles, G = f'_1/f'_2.",
        "Vérifier : cocher « Afficher les images » (onglet « Affichage ») et « Afficher les "
        "foyers » (onglet « Lentilles »)."),
    corrected(
        x,
        "Les rayons venus d'une étoile arrivent parallèles entre eux : A_1B_1 est dans le "
        "plan focal image de L_1, à la graduation {x1} + {f1} = {xA1} cm. Le rayon venu de B "
        "qui passe par O_1 n'est pas dévié, d'où bar(A_1B_1) = −f'_1 × tan α = "
        "{-f1} × tan {a|1}° = {h1} cm : l'image est renversée.",
        "F'_1 est à la graduation {x1+f1} cm et F_2 à la graduation {x2} − {f2} = {x2-f2} cm : "
        "ils sont confondus. A_1B_1 est donc dans le plan focal objet de L_2 : l'image finale "
        "est à l'infini (le simulateur affiche « {@C2} » pour A_2B_2). D'un objet à "
        "l'infini, la lunette donne une image à l'infini : elle est afocale, et l'œil "
        "observe sans accommoder.",
        "tan α' = A_1B_1/f'_2 = {-h1|4}/{f2} = {-h1/f2|4}, soit α' = {INVTAN(-h1/f2)|1}° ; "
        "G = α'/α = {INVTAN(-h1/f2)|1}/{a|1} = {INVTAN(-h1/f2)/a|1}.",
        "Pour de petits angles, tan α ≈ α et tan α' ≈ α' (en radians). Or "
        "tan α = A_1B_1/f'_1 et tan α' = A_1B_1/f'_2 (longueurs positives), donc "
        "G = α'/α = f'_1/f'_2 = {f1}/{f2} = {f1/f2|1}.",
        "Le banc de ce corrigé montre F'_1 et F_2 confondus à la graduation {x1+f1} cm, "
        "l'image intermédiaire A_1B_1 dessinée en ce point, et les rayons qui sortent de "
        "l'oculaire parallèles entre eux."))


# ---------------------------------------------------------------------------------------------
# The getting-started material, which also lists the exercises.

LEVELS = {1: 'Pour commencer', 2: "Pour s'entraîner", 3: 'Pour aller plus loin'}


def exercise_list():
    out = []
    for level, name in LEVELS.items():
        titles = [f'{x.number}. {x.title}' for x in EXERCISES if x.difficulty == level]
        out.append(('text', name + ' : ' + ' ; '.join(titles) + '.'))
    return out


GETTING_STARTED = [
    ('title', 'Prise en main de Focalines'),
    ('text', "Cette activité vous fait découvrir chaque commande du simulateur. Vous pouvez "
             "écrire vos remarques dans cette fenêtre, puis les enregistrer."),
    ('head', 'Le banc et la souris'),
    ('question', "Avec la souris, faites glisser l'objet AB le long de l'axe : l'image A'B' et "
                 "les rayons suivent aussitôt. Faites glisser ensuite la lentille L_1."),
    ('head', 'Les quatre onglets'),
    ('question', "Onglet « Objets et images » : tapez 2 dans le champ « Hauteur (cm) » de "
                 "l'objet puis appuyez sur Entrée ; lisez la position et la hauteur de "
                 "l'image. Cochez « Objet à l'infini » et réglez son diamètre apparent avec le "
                 "curseur."),
    ('question', "Onglet « Lentilles » : changez la distance focale de L_1, puis cochez "
                 "« Utiliser deux lentilles » pour ajouter L_2."),
    ('question', "Onglet « Affichage » : affichez ou masquez les images, les faisceaux et la "
                 "graduation ; changez la longueur de l'axe avec - et +, et le nombre de "
                 "décimales des positions."),
    ('question', "Onglet « Construction » : choisissez les rayons de construction, leurs "
                 "prolongements et le sens de propagation."),
    ('head', 'Les boutons'),
    ('question', "« Enregistrer » garde la situation dans un fichier .P09 ; « Ouvrir » la "
                 "retrouve. « Copier » place la figure dans le presse-papiers, « Imprimer » "
                 "l'imprime."),
    ('question', "« Calculatrice » ouvre une machine à calculer scientifique : calculez-y "
                 "`1/(1/10-1/30)` par exemple."),
    ('head', 'Les exercices'),
    ('question', "Le bouton « Exercices » au-dessus de cette fenêtre ouvre le menu des "
                 "exercices : « Ouvrir un exercice » affiche un énoncé et règle le banc, « Voir "
                 "la correction » montre le corrigé et son banc, « Fermer l'exercice » revient "
                 "à l'accueil. Écrivez vos réponses sous chaque question, après « Réponse : »."),
    ('question', "Dans la plupart des exercices, l'image n'est pas dessinée et ses valeurs "
                 "sont cachées (« ? ») dans l'onglet « Objets et images » jusqu'à « Voir la "
                 "correction » : c'est à vous de la trouver."),
    ('head', 'Les exercices livrés'),
] + exercise_list()


# ---------------------------------------------------------------------------------------------
# The help's list of exercises, between two marks of docs/aide/exercices.html.

HELP_BEGIN = '<!-- Liste écrite par scripts/make_content.py : début -->\n'
HELP_END = '<!-- Liste écrite par scripts/make_content.py : fin -->\n'


def html(text):
    text = text.replace('&', '&amp;').replace('<', '&lt;').replace('>', '&gt;')
    return re.sub(r'_(\d)', r'<sub>\1</sub>', text)


def help_list():
    rows = ['<table border="1" cellspacing="0" cellpadding="3">\n',
            '<tr><th>N°</th><th>Exercice</th><th>Notions abordées</th><th>Niveau</th></tr>\n']
    for x in EXERCISES:
        rows.append(f'<tr><td>{x.number}</td><td>{html(x.title)}</td>'
                    f'<td>{html("".join(x.topics))}</td><td>{x.difficulty}</td></tr>\n')
    rows.append('</table>\n')
    return ''.join(rows)


def update_help():
    with open(HELP, encoding='utf-8') as f:
        page = f.read()
    begin, end = page.index(HELP_BEGIN) + len(HELP_BEGIN), page.index(HELP_END)
    page = page[:begin] + help_list() + page[end:]
    with open(HELP, 'w', encoding='utf-8') as f:
        f.write(page)


# ---------------------------------------------------------------------------------------------
# The table of the stated numbers, which the test suite reads.

def numbers_table(texts):
    lines = ['# Written by scripts/make_content.py; do not edit. Every number that a bundled '
             'text states, and how it follows from a bench:',
             '# bench LABEL FILE.P09 [FIELD=TEXT ...]: a bench as loaded from the file, fields '
             '(0 to 7, record order) retyped',
             '# value FILE.rtf STATED EXPRESSION: the next number of the text, and its value '
             'computed from benches (LABEL.name)',
             '# readout FILE.rtf STATED LABEL INDEX: a read-out text that the text quotes']
    for x in EXERCISES:
        for letter in x.benches:
            if letter in ('E', 'C'):
                lines.append(f'bench\t{x.label(letter)}\t{x.file(letter)}')
            else:
                base, changes = x.variants[letter]
                fields = '\t'.join(f'{FIELDS.index(k)}={x.benches[letter].field_text(k)}'
                                   for k in changes)
                lines.append(f'bench\t{x.label(letter)}\t{x.file(base)}\t{fields}')
    for t in texts:
        for stated, expression in t.numbers:
            lines.append(f'value\t{t.file_name}\t{stated}\t{expression}')
        for stated, label, index in t.readouts:
            lines.append(f'readout\t{t.file_name}\t{stated}\t{label}\t{index}')
    return ('\n'.join(lines) + '\n').encode('utf-8')


def main():
    os.makedirs(OUT, exist_ok=True)
    for name in os.listdir(OUT):
        if re.match(r'\d\d-.*\.(E21|P09|rtf)$', name):
            os.remove(os.path.join(OUT, name))
    getting_started = Text(None, 'prise-en-main.rtf', None, GETTING_STARTED, False)
    write(os.path.join(OUT, 'prise-en-main.rtf'), getting_started.rtf)
    write(os.path.join(OUT, 'prise-en-main.P09'), Bench(x1=15.0, f1=10.0).configuration())
    write(os.path.join(OUT, 'focalines.PEM'),
          record_file(['prise-en-main.rtf', 'prise-en-main.P09', '', '', ' 0', '',
                       'Prise en main du simulateur', '', '', '', 'Prise en main', ' 1']))
    texts = [getting_started]
    for x in EXERCISES:
        write(os.path.join(OUT, x.file('E')), x.benches['E'].configuration())
        write(os.path.join(OUT, x.file('C')), x.benches['C'].configuration())
        for t in (x.statement, x.correction):
            write(os.path.join(OUT, t.file_name), t.rtf)
            texts.append(t)
        topics = (x.topics + ['', '', '', ''])[:4]
        write(os.path.join(OUT, x.key + '.E21'),
              record_file([x.statement.file_name, x.file('E'), x.correction.file_name,
                           x.file('C'), f' {x.difficulty}', HIDDEN_VALUES if x.hidden else '']
                          + topics + [x.title, f' {x.hourglasses}']))
    write(NUMBERS, numbers_table(texts))
    update_help()


main()
