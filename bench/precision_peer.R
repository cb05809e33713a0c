# Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
# Runs the problems written by `bench_precision --write-problems DIR` with the peer (R's
# glasso package), and prints a table beside our figures: time per call, outer iterations,
# nonzeros of the inverse, the largest violation of the optimality conditions for both
# estimates, and the largest difference between them.
#   Rscript precision_peer.R DIR OURS_CSV
# OURS_CSV: bench_precision's output in --benchmark_format=csv.
suppressPackageStartupMessages(library(glasso))

args <- commandArgs(trailingOnly = TRUE)
folder <- args[1]
ours <- read.csv(args[2], stringsAsFactors = FALSE)
problems <- read.csv(file.path(folder, "problems.csv"), stringsAsFactors = FALSE)
readMatrix <- function(name) unname(as.matrix(read.csv(file.path(folder, name), header = FALSE)))

# Optimality of  log det X - trace(S X) - lambda sum|X_ij|: W = inv(X), W - S = lambda
# sign(X) where X != 0, |W - S| <= lambda where X == 0.
violation <- function(S, X, W, lambda) {
  p <- nrow(S)
  D <- W - S
  support <- X != 0
  max(abs(W - t(W)), abs(W %*% X - diag(p)), abs(D[support] - lambda * sign(X[support])),
      pmax(abs(D[!support]) - lambda, 0))
}

# Median processor seconds of `repeats` calls (steadier than elapsed time on a busy machine).
timeCalls <- function(call, repeats) {
  median(sapply(seq_len(repeats), function(k) {
    used <- system.time(call())
    used[["user.self"]] + used[["sys.self"]]
  }))
}

cat("| p | lambda | ours: CPU ms | ours: outer | peer: CPU ms | peer: outer | nonzeros (ours / peer) |",
    "violation (ours / peer) | max abs difference of X |\n")
cat("|---|---|---|---|---|---|---|---|---|\n")
for (k in seq_len(nrow(problems))) {
  row <- problems[k, ]
  S <- readMatrix(row$S)
  X <- readMatrix(row$X)
  W <- readMatrix(row$W)
  fit <- NULL
  run <- function() fit <<- glasso(S, rho = row$lambda, thr = row$thr, maxit = 1000,
                                   penalize.diagonal = TRUE)
  seconds <- timeCalls(run, if (row$p >= 500) 3 else 10)
  name <- sprintf("PrecisionLasso/p:%d/lambda%%:%d", row$p, round(row$lambda * 100))
  ourMs <- ours$cpu_time[ours$name == name]
  cat(sprintf("| %d | %g | %.1f | %d | %.1f | %d | %d / %d | %.1e / %.1e | %.1e |\n",
              row$p, row$lambda, ourMs, row$outer, 1000 * seconds, fit$niter, sum(X != 0),
              sum(fit$wi != 0), violation(S, X, W, row$lambda),
              violation(S, fit$wi, fit$w, row$lambda), max(abs(X - fit$wi))))
}
