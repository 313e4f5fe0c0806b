#!/usr/bin/env python3
"""Writes the sample reports of examples/: small strategy tester reports in the
terminal's own HTML form, in English, Russian (Windows 1251) and Spanish (as
current Spanish terminals write it, Windows 1252). Deterministic; run it from
the repository root: python3 tools/make_examples.py"""

import json
import pathlib
import random
from datetime import datetime, timedelta

ROOT = pathlib.Path(__file__).resolve().parent.parent
PHRASES = ROOT / "data" / "phrases"


def labels(language, codec):
    """Key -> label text of the language (encoded with codec when written)."""
    rows = json.loads((PHRASES / f"{language}.json").read_text(encoding="utf-8"))["rows"]
    table = {}
    for row in rows:
        table.setdefault(row["key"], row["text"])
    variants = json.loads((PHRASES / "variants.json").read_text(encoding="utf-8"))
    for v in variants:
        if v["language"] == language and v["python_codec"] == codec:
            table[v["key"]] = v["text"]
    table["Average_"] = rows[35]["text"]
    return table


def operations(seed, start, count, price, digits, lots, same_minute=False):
    rng = random.Random(seed)
    ops, t, order = [], start, 0
    while len(ops) < count:
        order += 1
        t += timedelta(minutes=rng.randrange(15, 600))
        side = rng.choice(["buy", "sell"])
        entry = round(price * (1 + rng.uniform(-0.01, 0.01)), digits)
        stop = round(entry * (0.995 if side == "buy" else 1.005), digits)
        take = round(entry * (1.008 if side == "buy" else 0.992), digits)
        ops.append(dict(time=t, type=side, order=order, size=lots, price=entry, sl=stop, tp=take))
        if rng.random() < 0.2:
            stop = round((entry + stop) / 2, digits)
            ops.append(dict(time=t + timedelta(minutes=30), type="modify", order=order, size=lots,
                            price=entry, sl=stop, tp=take))
        close_t = t if same_minute and order == 2 else t + timedelta(minutes=rng.randrange(31, 900))
        won = rng.random() < 0.55
        kind, exit_price = ("t/p", take) if won else ("s/l", stop)
        if rng.random() < 0.15:
            kind, exit_price = "close", round((entry + exit_price) / 2, digits)
        move = (exit_price - entry) if side == "buy" else (entry - exit_price)
        profit = round(move / entry * 100000 * lots, 2)
        ops.append(dict(time=close_t, type=kind, order=order, size=lots, price=exit_price,
                        sl=stop, tp=take, profit=profit))
        t = max(t, close_t)
    ops.sort(key=lambda o: (o["time"], o["order"]))
    return ops


def summary(ops, deposit):
    profits = [o["profit"] for o in ops if "profit" in o]
    wins = [p for p in profits if p > 0]
    losses = [p for p in profits if p <= 0]
    balance, low, peak, drop = deposit, deposit, deposit, 0.0
    for o in ops:
        if "profit" in o:
            balance = round(balance + o["profit"], 2)
            o["balance"] = balance
            low, peak = min(low, balance), max(peak, balance)
            drop = max(drop, peak - balance)
    orders = len({o["order"] for o in ops})
    return dict(net=sum(profits), gross_win=sum(wins), gross_loss=sum(losses),
                trades=orders, wins=len(wins), losses=len(losses),
                largest_win=max(wins, default=0), largest_loss=min(losses, default=0),
                avg_win=sum(wins) / len(wins) if wins else 0,
                avg_loss=sum(losses) / len(losses) if losses else 0,
                absolute=deposit - low, drop=drop, drop_pct=drop * 100 / peak)


def row(cells, shaded=False):
    head = '<tr bgcolor="#E0E0E0" align=right>' if shaded else "<tr align=right>"
    return head + "".join(cells) + "</tr>"


def operation_rows(ops, digits):
    lines = []
    num_style = f'style="mso-number-format:0\\.{"0" * digits};"'
    for n, o in enumerate(ops, 1):
        cells = [f"<td>{n}</td>", f'<td class=msdate>{o["time"]:%Y.%m.%d %H:%M}</td>',
                 f'<td>{o["type"]}</td>', f'<td>{o["order"]}</td>',
                 f'<td class=mspt>{o["size"]:.2f}</td>', f'<td {num_style}>{o["price"]:.{digits}f}</td>',
                 f'<td {num_style} align=right>{o["sl"]:.{digits}f}</td>',
                 f'<td {num_style} align=right>{o["tp"]:.{digits}f}</td>']
        if "profit" in o:
            cells += [f'<td class=mspt>{o["profit"]:.2f}</td>', f'<td class=mspt>{o["balance"]:.2f}</td>']
        else:
            cells.append("<td colspan=2></td>")
        lines.append(row(cells, n % 2 == 0))
    return lines


def report(example):
    L = labels(example["language"], example["codec"])
    ops = operations(example["seed"], example["start"], example["rows"], example["price"], example["digits"],
                     example["lots"], example.get("same_minute", False))
    s = summary(ops, example["deposit"])
    pct = lambda a, b: f"{(a * 100 / b if b else 0):.2f}%"
    tr = lambda *pairs: "<tr align=left>" + "".join(
        f"<td>{L[k] if k else ''}</td><td align=right>{v}</td>" for k, v in pairs) + "</tr>"
    cap = lambda c, k1, v1, k2, v2: (f"<tr align=left><td colspan=2 align=right>{L[c] if c else ''}</td>"
                                     f"<td>{L[k1]}</td><td align=right>{v1}</td><td>{L[k2]}</td>"
                                     f"<td align=right>{v2}</td></tr>")
    header = lambda k, v: f"<tr align=left><td colspan=2>{L[k]}</td><td colspan=4>{v}</td></tr>"
    lines = [
        '<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.01//EN" "http://www.w3.org/TR/html4/strict.dtd">',
        "<html>", "  <head>", f'    <title>Strategy Tester: {example["expert"]}</title>',
        '    <meta name="generator" content="MetaQuotes Software Corp.">',
        f'    <meta name="version" content="{example["build"]}">',
        f'    <meta name="server" content="{example["server"]}">',
        '    <link rel="help" href="http://www.metaquotes.net">', "  </head>",
        "<body topmargin=1 marginheight=1>", "<div align=center>",
        '<div style="font: 20pt Times New Roman"><b>Strategy Tester Report</b></div>',
        f'<div style="font: 16pt Times New Roman"><b>{example["expert"]}</b></div>',
        f'<div style="font: 10pt Times New Roman"><b>{example["server"]} ({example["build"]})</b></div><br>',
        "", "<table width=820 cellspacing=1 cellpadding=3 border=0>",
        header("Symbol", example["symbol"]), header("Period", example["period"]),
        header("Model", example["model"])]
    if example.get("parameters"):
        lines.append(header("Parameters", example["parameters"]))
    lines += [
        "<tr align=left><td colspan=2>" + tr(("Bars in test", example["bars"]),
                                             ("Ticks modelled", example["ticks"]),
                                             ("Modelling quality", "90.00%")),
        tr(("Mismatched charts errors", 0), (None, ""), (None, "")),
        "<tr height=8><td colspan=6></td></tr>",
        tr(("Initial deposit", f'{example["deposit"]:.2f}'), (None, ""), (None, "")),
        tr(("Total net profit", f'{s["net"]:.2f}'), ("Gross profit", f'{s["gross_win"]:.2f}'),
           ("Gross loss", f'{s["gross_loss"]:.2f}')),
        tr(("Profit factor", f'{abs(s["gross_win"] / s["gross_loss"]) if s["gross_loss"] else 0:.2f}'),
           ("Expected payoff", f'{s["net"] / s["trades"]:.2f}'), (None, "")),
        tr(("Absolute drawdown", f'{s["absolute"]:.2f}'),
           ("Maximal drawdown", f'{s["drop"]:.2f} ({s["drop_pct"]:.2f}%)'),
           ("Relative drawdown", f'{s["drop_pct"]:.2f}% ({s["drop"]:.2f})')),
        "<tr height=8><td colspan=6></td></tr>",
        tr(("Total trades", s["trades"]), ("Short positions (won %)", f'{s["trades"] // 2} (50.00%)'),
           ("Long positions (won %)", f'{s["trades"] - s["trades"] // 2} (50.00%)')),
        cap(None, "Profit trades (% of total)", f'{s["wins"]} ({pct(s["wins"], s["trades"])})',
            "Loss trades (% of total)", f'{s["losses"]} ({pct(s["losses"], s["trades"])})'),
        cap("Largest", "profit trade", f'{s["largest_win"]:.2f}', "loss trade", f'{s["largest_loss"]:.2f}'),
        cap("Average", "profit trade", f'{s["avg_win"]:.2f}', "loss trade", f'{s["avg_loss"]:.2f}'),
        cap("Maximum", "consecutive wins (profit in money)", "3 (120.00)",
            "consecutive losses (loss in money)", "2 (-80.00)"),
        cap("Maximal", "consecutive profit (count of wins)", "120.00 (3)",
            "consecutive loss (count of losses)", "-80.00 (2)"),
        cap("Average_", "consecutive wins", 2, "consecutive losses", 1),
        "", "</table>",
        '<img src="StrategyTester.gif" width=820 height=200 border=0 alt="Graph"><br>',
        "<table width=820 cellspacing=1 cellpadding=3 border=0>",
        '<tr bgcolor="#C0C0C0" align=right>' + "".join(
            f"<td>{L[k]}</td>" for k in ["num", "Time", "Type", "Order", "Size", "Price", "S / L",
                                         "T / P", "Profit", "Balance"]) + "</tr>"]
    lines += operation_rows(ops, example["digits"])
    lines += ["", "</table>", "</div></body></html>"]
    return "\r\n".join(lines) + "\r\n"


EXAMPLES = [
    dict(file="trend_eurusd.htm", language="English", codec="ascii", seed=11, expert="TrendRider",
         server="Demo-Server-1", build="Build 1420", symbol="EURUSD (Euro vs US Dollar)",
         period="1 Hour (H1)  2023.01.02 00:00 - 2023.03.31 23:00    (2023.01.01 - 2023.04.01)",
         model="Every tick (the most precise method based on all available least timeframes)",
         parameters="Lots=0.1; FastMA=12; SlowMA=26; ", bars=1560, ticks=2451230, deposit=10000,
         start=datetime(2023, 1, 2, 9, 0), rows=40, price=1.07, digits=5, lots=0.1),
    dict(file="scalper_gbpjpy.htm", language="English", codec="ascii", seed=23, expert="QuickScalp",
         server="Demo-Server-1", build="Build 1420", symbol="GBPJPY (Great Britain Pound vs Japanese Yen)",
         period="15 Minutes (M15)  2023.01.02 00:00 - 2023.03.31 23:45    (2023.01.01 - 2023.04.01)",
         model="Every tick (the most precise method based on all available least timeframes)",
         parameters="Lots=0.2; Range=15; ", bars=6010, ticks=3102477, deposit=5000,
         start=datetime(2023, 1, 2, 8, 0), rows=30, price=160.5, digits=3, lots=0.2, same_minute=True),
    dict(file="grid_usdjpy_ru.htm", language="Russian", codec="cp1251", seed=37, expert="GridMaster",
         server="Demo-Server-2", build="Build 1403", symbol="USDJPY (US Dollar vs Japanese Yen)",
         period="4 \u0447\u0430\u0441\u0430 (H4)  2023.01.02 00:00 - 2023.03.31 20:00    (2023.01.01 - 2023.04.01)",
         model="\u0412\u0441\u0435 \u0442\u0438\u043a\u0438", parameters="Step=20; Lots=0.05; ",
         bars=390, ticks=1802211, deposit=2000, start=datetime(2023, 1, 3, 0, 0), rows=24,
         price=131.2, digits=3, lots=0.05),
    dict(file="swing_nas100_es.htm", language="Spanish", codec="cp1252", seed=41, expert="swing",
         server="Demo-Server-3", build="Build 1380", symbol="NAS100 (US Tech 100)",
         period="5 minutos (M5)  2023.01.02 00:00 - 2023.03.31 23:55    (2023.01.02 - 2023.04.01)",
         model="Cada tick (el m\u00e9todo m\u00e1s preciso)", parameters=None, bars=17000,
         ticks=9016099, deposit=10000, start=datetime(2023, 1, 2, 15, 30), rows=28, price=11980.0,
         digits=1, lots=0.1),
    dict(file="breakout_xauusd.htm", language="English", codec="ascii", seed=53, expert="GoldBreakout",
         server="Demo-Server-1", build="Build 1441", symbol="XAUUSD (Gold vs US Dollar)",
         period="30 Minutes (M30)  2023.01.02 00:00 - 2023.03.31 23:30    (2023.01.01 - 2023.04.01)",
         model="Open prices only (fastest method to analyzed the bar just completed, only for EAs that "
               "explicitly control bar opening)",
         parameters="Lots=0.01; Lookback=24; ", bars=2980, ticks=1200000, deposit=3000,
         start=datetime(2023, 1, 2, 10, 0), rows=26, price=1850.0, digits=2, lots=0.01),
]


def main():
    for example in EXAMPLES:
        text = report(example)
        (ROOT / "examples" / example["file"]).write_bytes(text.encode(example["codec"]))
        print("wrote examples/" + example["file"])


if __name__ == "__main__":
    main()
